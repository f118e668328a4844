// The intro: two logos, each revealed from black and faded back, then the ball scene.
#pragma once

#include "scenes/Scene.hpp"

#include <SFML/Graphics.hpp>

struct IntroState {
    bool setup = true;
    sf::Sprite* introLogoA = nullptr;
    sf::Sprite* introLogoB = nullptr;
    int introStep = 0;
    float stepTimer = 0.0f;
};

extern IntroState intro;

Scene runIntroScene(sf::RenderTarget& target, float dt);
