// The program core: process-wide settings, the window, the background shader and the scene
// state, the start-up sequence and the work of one frame.
#pragma once

#include "scenes/Scene.hpp"

#include <SFML/Graphics.hpp>
#include <string>

extern bool running;
extern bool fullscreen;
extern bool vsyncEnabled;
extern std::string windowTitle;
extern sf::RenderWindow* window;
extern sf::Shader backgroundShader;
extern Scene scene;

// Creates the window with the configured style, sets it up and shows it black while the
// assets load.
void openWindow();

// Loads the three manifests, the background shader and the fade overlay sprite. Needs no
// window, so an off-screen driver can use it too.
void loadAssets();

// One frame's work between event handling and display: advance the fade, clear, run the
// current scene, draw the overlay. The real loop and the fixed-step driver both use it.
void renderFrame(sf::RenderTarget& target, float dt);

// Start-up, frame loop and shutdown; returns the process exit status.
int runProgram();
