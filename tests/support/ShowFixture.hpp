// A small complete show for the scene and end-to-end tests: config.json, the three manifests,
// plain-coloured logos and balls, a black overlay, a bounce sound and a background shader that
// writes its time into the picture.
#pragma once

#include <SFML/Graphics/Color.hpp>
#include <string>
#include <vector>

// The sprite keys of the balls, in launch order.
extern const std::vector<std::string> ballKeys;

struct ShowFixture {
    unsigned ballWidth = 100;
    unsigned ballHeight = 1000; // taller than 890: the first update already hits the floor
    bool withSound = true;      // writes the "bounce" sound
    std::string config = "{}";
    std::vector<std::string> leftOut; // sprite keys not written to the sprite manifest
};

// Colours of the pictures: each ball has its own, all without blue, so the background (whose
// blue is always 255) tells them apart.
const sf::Color logoAColour(255, 0, 0);
const sf::Color logoBColour(0, 255, 0);
sf::Color ballColour(std::size_t index);
const unsigned logoWidth = 200;
const unsigned logoHeight = 100;

// The background shader: red and green hold the low and high byte of iTime in milliseconds.
std::string timeShaderSource();
// The time the shader wrote at a pixel, in milliseconds.
int shaderMilliseconds(const sf::Color& pixel);

void writeShowFixture(const std::string& dir, const ShowFixture& fixture);

// Loads the in-process fixture (the defaults, without the sound) into the registries the way
// start-up does.
void loadSharedFixture();

// Puts the show back at its start: running, scene, fade, the scenes' state and the ball list.
// The ball records of earlier runs are left alone, like the program leaves them.
void resetShow();
