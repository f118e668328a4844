// orbelle-floor: the floor of the show's own stack, a bare window at the show's size and
// frame-rate limit that clears, draws one full-screen sprite and displays. It prints the
// monotonic time at which its window was shown black ("window <ns>", as the show shows it
// while loading) and at which its first frame was displayed ("frame <ns>"), and then runs its loop
// for the number of seconds given (default 0), so that its start-up and its memory can be set
// beside the show's.
#include "BenchSupport.hpp"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const float seconds = argc > 1 ? static_cast<float>(std::atof(argv[1])) : 0.0f;
    sf::RenderWindow window(sf::VideoMode(1920, 1080, 32), "Orbelle floor", sf::Style::Default,
                            sf::ContextSettings());
    window.setFramerateLimit(60);
    window.setVerticalSyncEnabled(true);
    window.clear(sf::Color(0, 0, 0, 255));
    window.display();
    finishRendering();
    std::printf("window %lld\n", monotonicNs());
    FloorSprite floor;
    setUpFloor(floor);
    drawFloorFrame(window, floor);
    window.display();
    finishRendering();
    std::printf("frame %lld\n", monotonicNs());
    std::fflush(stdout);

    sf::Clock clock;
    while (clock.getElapsedTime().asSeconds() < seconds) {
        sf::Event event;
        while (window.pollEvent(event)) {
        }
        drawFloorFrame(window, floor);
        window.display();
    }
    return 0;
}
