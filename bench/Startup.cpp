// orbelle-startup: the show's start-up up to its first displayed intro frame, made of the
// program's own functions in the program's order, printing the monotonic time at which each
// stage ended: the window shown black ("window"), the assets loaded ("assets") and the first
// intro frame displayed ("frame"). Run from the folder holding config.json and assets/.
// With the argument "before", the first frame also draws the layers the show used to draw
// fully transparent.
#include "AsBefore.hpp"
#include "BenchSupport.hpp"

#include "app/App.hpp"
#include "app/Config.hpp"

#include <cstdio>
#include <cstring>

namespace {

void stageEnded(const char* stage) {
    std::printf("%s %lld\n", stage, monotonicNs());
}

} // namespace

int main(int argc, char** argv) {
    const bool before = argc > 1 && std::strcmp(argv[1], "before") == 0;
    loadConfig();
    openWindow();
    finishRendering();
    stageEnded("window");
    loadAssets();
    stageEnded("assets");

    // The first iteration of the frame loop.
    sf::Clock frameClock;
    const float dt = frameClock.restart().asSeconds();
    sf::Keyboard::isKeyPressed(sf::Keyboard::Escape);
    sf::Event event;
    while (window->pollEvent(event)) {
    }
    renderFrame(*window, dt);
    if (before) {
        drawTransparentLayers(*window, scene == Scene::Intro);
    }
    window->display();
    finishRendering();
    stageEnded("frame");
    std::fflush(stdout);
    return 0;
}
