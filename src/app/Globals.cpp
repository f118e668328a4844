// Every process-wide object of the program, defined in one translation unit so that their
// construction order is the order written here and destruction runs in reverse: the shader is
// built first and destroyed last, after the registries' tables and the ball list.
//
// The tables release only their own storage at exit. The textures, sprites, sounds and balls
// they point to are never destroyed: they go with the process, which keeps SFML objects out of
// static destruction.
#include "app/App.hpp"
#include "app/Config.hpp"
#include "app/Fade.hpp"
#include "assets/SoundManager.hpp"
#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "scenes/Ball.hpp"
#include "scenes/BallScene.hpp"
#include "scenes/IntroScene.hpp"

// Objects that need construction, in construction order.
sf::Shader backgroundShader;
std::unordered_map<std::string, sf::Texture*> TextureManager::textures;
std::unordered_map<std::string, SoundEntry*> SoundManager::sounds;
std::unordered_map<std::string, sf::Sprite*> SpriteManager::sprites;
std::string windowTitle = "Vantor - Orbelle";
std::vector<Ball*> balls;

// Settings and program state, initialised before anything runs.
bool running = true;
bool fullscreen = false;
bool vsyncEnabled = true;
bool soundMuted = false;
sf::RenderWindow* window = nullptr;
Scene scene = Scene::Intro;

// Fade overlay.
float fadeAlpha = 0.0f;
float fadeSpeed = 0.0f;
FadeMode fadeMode = FadeMode::None;
sf::Sprite* fadeOverlay = nullptr;

// Scene state.
IntroState intro;
BallSceneState ballScene;
