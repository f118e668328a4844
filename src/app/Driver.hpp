// The fixed-step driver: runs the show's frame work at a fixed time step into an off-screen
// 1920 x 1080 target, for tests, the capture tool and the benchmark. Start-up (loadConfig,
// loadAssets) is the caller's; the frames are renderFrame's, exactly as the real loop runs them.
#pragma once

#include <SFML/Graphics.hpp>

// One frame of the show at 60 frames per second.
const float fixedStep = 1.0f / 60.0f;

// Creates target at the window's size, 1920 x 1080. Needs a display for its GL context.
bool createFrameTarget(sf::RenderTexture& target);

// Runs one frame with dt into target and resolves it for reading back. Returns whether the show
// goes on, false once the frame after Quit has run.
bool stepFrame(sf::RenderTexture& target, float dt);

// The last frame as the window shows it: the target's colours with every pixel opaque.
sf::Image frameImage(const sf::RenderTexture& target);
