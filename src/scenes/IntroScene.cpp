// SCAFFOLD: replaced by the show work.
#include "scenes/IntroScene.hpp"

Scene runIntroScene(sf::RenderTarget&, float) { return Scene::Balls; }
