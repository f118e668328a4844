// orbelle-startup: the show's start-up up to its first displayed intro frame, made of the
// program's own functions in the program's order, printing the monotonic time at which each
// stage ended: the window shown black ("window"), the assets loaded ("assets") and the first
// intro frame displayed ("frame"). Run from the folder holding config.json and assets/.
#include "BenchSupport.hpp"

#include "app/App.hpp"
#include "app/Config.hpp"

#include <cstdio>

namespace {

void stageEnded(const char* stage) {
    std::printf("%s %lld\n", stage, monotonicNs());
}

} // namespace

int main() {
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
    window->display();
    finishRendering();
    stageEnded("frame");
    std::fflush(stdout);
    return 0;
}
