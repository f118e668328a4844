// orbelle-shader-cost: what the ball scene's shaded background costs next to a plain full-screen
// sprite. Both are drawn the way the show draws its background (a small repeated black texture
// stretched over 1920 x 1080 by its texture rectangle) into an off-screen 1920 x 1080 target, and
// every pass is waited for with glFinish, so the times are the renderer's real work.
//
// Usage, from the repository root (needs a display, e.g. under xvfb-run):
//   orbelle-shader-cost [passes] [vertex shader] [fragment shader]
// Plain and shaded passes alternate one by one, so a busy machine slows both alike. Each kind's
// median and fastest pass are reported; the fastest is the least disturbed by other work.
#include "BenchSupport.hpp"

#include <SFML/Graphics.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Milliseconds for one full-screen draw, waited for. A shaded pass advances the time uniform
// as the ball scene does.
double timePass(sf::RenderTexture& target, const sf::Sprite& sprite, sf::Shader* shader,
                float& time) {
    sf::RenderStates states;
    if (shader) {
        time += 1.0f / 60.0f;
        shader->setUniform("iTime", time);
        states.shader = shader;
    }
    sf::Clock clock;
    target.draw(sprite, states);
    finishRendering();
    return clock.getElapsedTime().asSeconds() * 1000.0;
}

} // namespace

int main(int argc, char** argv) {
    const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const std::string vertexPath = argc > 2 ? argv[2] : "assets/shaders/passthrough.vert";
    const std::string fragmentPath = argc > 3 ? argv[3] : "assets/shaders/bg.frag";

    sf::RenderTexture target;
    if (!target.create(1920, 1080)) {
        std::fprintf(stderr, "cannot create a 1920x1080 render texture\n");
        return 1;
    }
    target.setActive(true);
    sf::Shader shader;
    if (!shader.loadFromFile(vertexPath, fragmentPath)) {
        std::fprintf(stderr, "cannot load %s and %s\n", vertexPath.c_str(), fragmentPath.c_str());
        return 1;
    }
    // The floor's sprite is drawn the way the show draws its background.
    FloorSprite floor;
    setUpFloor(floor);
    const sf::Sprite& sprite = floor.sprite;

    float time = 0.0f;
    // Warm-up: the first draws compile the renderer's code and allocate.
    for (int i = 0; i < 3; ++i) {
        timePass(target, sprite, nullptr, time);
        timePass(target, sprite, &shader, time);
    }
    std::vector<double> plain;
    std::vector<double> shaded;
    for (int i = 0; i < passes; ++i) {
        // Swap the order every time, so neither kind always follows the other.
        if (i % 2 == 0) {
            plain.push_back(timePass(target, sprite, nullptr, time));
            shaded.push_back(timePass(target, sprite, &shader, time));
        } else {
            shaded.push_back(timePass(target, sprite, &shader, time));
            plain.push_back(timePass(target, sprite, nullptr, time));
        }
    }
    const Summary plainMs = summarise(plain);
    const Summary shadedMs = summarise(shaded);
    std::printf("%d passes of each, 1920x1080, %s\n", passes, fragmentPath.c_str());
    std::printf("plain sprite:  median %6.2f ms/pass, fastest %6.2f ms\n", plainMs.median,
                plainMs.min);
    std::printf("shaded sprite: median %6.2f ms/pass, fastest %6.2f ms\n", shadedMs.median,
                shadedMs.min);
    std::printf("ratio shaded/plain: median %.2f, fastest %.2f\n", shadedMs.median / plainMs.median,
                shadedMs.min / plainMs.min);
    return 0;
}
