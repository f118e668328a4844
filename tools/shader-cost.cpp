// orbelle-shader-cost: what the ball scene's shaded background costs next to a plain full-screen
// sprite. Both are drawn the way the show draws its background (a small repeated black texture
// stretched over 1920 x 1080 by its texture rectangle) into an off-screen 1920 x 1080 target, and
// every pass is waited for with glFinish, so the times are the renderer's real work.
//
// Usage, from the repository root (needs a display, e.g. under xvfb-run):
//   orbelle-shader-cost [passes] [vertex shader] [fragment shader]
// The two kinds of pass alternate in rounds, so a busy machine slows both alike; the median
// round of each is reported.
#include <SFML/Graphics.hpp>
#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int rounds = 7;

sf::Texture makeBlackTexture() {
    sf::Image image;
    image.create(8, 8, sf::Color::Black);
    sf::Texture texture;
    texture.loadFromImage(image);
    texture.setRepeated(true);
    return texture;
}

// Milliseconds per pass for `passes` full-screen draws, each waited for.
double timePasses(sf::RenderTexture& target, sf::Sprite& sprite, sf::Shader* shader, int passes,
                  float& time) {
    sf::Clock clock;
    for (int i = 0; i < passes; ++i) {
        sf::RenderStates states;
        if (shader) {
            time += 1.0f / 60.0f;
            shader->setUniform("iTime", time);
            states.shader = shader;
        }
        target.draw(sprite, states);
        glFinish();
    }
    return clock.getElapsedTime().asSeconds() * 1000.0 / passes;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
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
    const sf::Texture texture = makeBlackTexture();
    sf::Sprite sprite(texture, sf::IntRect(0, 0, 1920, 1080));

    float time = 0.0f;
    timePasses(target, sprite, nullptr, 3, time); // warm-up: first draws compile and allocate
    timePasses(target, sprite, &shader, 3, time);
    std::vector<double> plain;
    std::vector<double> shaded;
    for (int round = 0; round < rounds; ++round) {
        plain.push_back(timePasses(target, sprite, nullptr, passes, time));
        shaded.push_back(timePasses(target, sprite, &shader, passes, time));
    }
    const double plainMs = median(plain);
    const double shadedMs = median(shaded);
    std::printf("passes per round: %d, rounds: %d (median round shown)\n", passes, rounds);
    std::printf("plain sprite:  %.2f ms/pass\n", plainMs);
    std::printf("shaded sprite: %.2f ms/pass (%s)\n", shadedMs, fragmentPath.c_str());
    std::printf("ratio: %.2f\n", shadedMs / plainMs);
    return 0;
}
