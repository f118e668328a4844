// Start-up, the frame loop and shutdown.
#include "app/App.hpp"

#include "app/Config.hpp"
#include "app/Fade.hpp"
#include "assets/SoundManager.hpp"
#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "scenes/BallScene.hpp"
#include "scenes/IntroScene.hpp"

#include <iostream>

void loadAssets() {
    // Sprites name textures, so textures load first. Failures are reported by the loaders and
    // the show goes on with what loaded.
    TextureManager::loadFromFile("assets/textures.json");
    SpriteManager::loadFromFile("assets/sprites.json");
    SoundManager::loadFromFile("assets/sounds.json");
    if (!backgroundShader.loadFromFile("assets/shaders/passthrough.vert",
                                       "assets/shaders/bg.frag")) {
        std::cerr << "unable to load the shader" << std::endl;
    }
    fadeOverlay = SpriteManager::get("black");
}

void renderFrame(sf::RenderTarget& target, float dt) {
    updateFade(dt);
    target.clear(sf::Color(0, 0, 0, 0));
    switch (scene) {
    case Scene::Intro:
        scene = runIntroScene(target, dt);
        break;
    case Scene::Balls:
        scene = runBallScene(target, dt);
        break;
    case Scene::Quit:
        running = false;
        break;
    }
    drawFade(target);
}

void openWindow() {
    window = new sf::RenderWindow();
    window->create(sf::VideoMode(1920, 1080, 32), windowTitle,
                   fullscreen ? sf::Style::Fullscreen : sf::Style::Default, sf::ContextSettings());
    window->setFramerateLimit(60);
    window->setVerticalSyncEnabled(vsyncEnabled);
    window->setActive(true);
    window->setMouseCursorVisible(false);
    // Show black while the assets load.
    window->clear(sf::Color(0, 0, 0, 255));
    window->display();
}

int runProgram() {
    loadConfig();
    openWindow();
    loadAssets();

    sf::Clock frameClock;
    frameClock.restart();
    // running is tested only here, so the frame in which the show is ended is still completed.
    while (running) {
        const float dt = frameClock.restart().asSeconds();
        if (sf::Keyboard::isKeyPressed(sf::Keyboard::Escape)) {
            running = false;
        }
        sf::Event event;
        while (window->pollEvent(event)) {
            if (event.type == sf::Event::Closed) {
                running = false;
            }
        }
        renderFrame(*window, dt);
        window->display();
    }

    window->close();
    delete window;
    window = nullptr;
    return 0;
}
