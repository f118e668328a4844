// Writes and loads the small show the scene and end-to-end tests run on.
#include "support/ShowFixture.hpp"

#include "app/App.hpp"
#include "app/Fade.hpp"
#include "scenes/Ball.hpp"
#include "scenes/BallScene.hpp"
#include "scenes/IntroScene.hpp"
#include "support/TestSupport.hpp"

#include <algorithm>
#include <sstream>

const std::vector<std::string> ballKeys = {"mirel",   "tosk",    "vantor", "greets",
                                           "fennick", "grumbel", "quade"};

namespace {

const char* const passthroughVertex = R"(
void main() {
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    gl_TexCoord[0] = gl_TextureMatrix[0] * gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
}
)";

unsigned rgba(const sf::Color& colour) {
    return colour.toInteger();
}

bool leftOut(const ShowFixture& fixture, const std::string& key) {
    return std::find(fixture.leftOut.begin(), fixture.leftOut.end(), key) != fixture.leftOut.end();
}

} // namespace

sf::Color ballColour(std::size_t index) {
    return sf::Color(static_cast<sf::Uint8>(40 + 30 * index),
                     static_cast<sf::Uint8>(200 - 20 * index), 0);
}

std::string timeShaderSource() {
    return R"(
uniform float iTime;
void main() {
    float ms = floor(iTime * 1000.0 + 0.5);
    gl_FragColor = vec4(mod(ms, 256.0) / 255.0, floor(ms / 256.0) / 255.0, 1.0, 1.0);
}
)";
}

int shaderMilliseconds(const sf::Color& pixel) {
    return pixel.r + 256 * pixel.g;
}

void writeShowFixture(const std::string& dir, const ShowFixture& fixture) {
    writeFile(dir + "/config.json", fixture.config);
    makePng(dir + "/assets/black.png", 1920, 1080, rgba(sf::Color::Black));
    makePng(dir + "/assets/pk1.png", logoWidth, logoHeight, rgba(logoAColour));
    makePng(dir + "/assets/pk2.png", logoWidth, logoHeight, rgba(logoBColour));
    std::ostringstream textures;
    std::ostringstream sprites;
    textures << R"({"textures": {"black": {"file": "assets/black.png"},)"
             << R"("pk1": {"file": "assets/pk1.png"}, "pk2": {"file": "assets/pk2.png"})";
    sprites << R"({"sprites": {)";
    const char* separator = "";
    for (const std::string key : {"black", "pk1", "pk2"}) {
        if (!leftOut(fixture, key)) {
            sprites << separator << '"' << key << R"(": {"texture": ")" << key << '"'
                    << (key == "black" ? "" : R"(, "autocenter": true)") << "}";
            separator = ", ";
        }
    }
    for (std::size_t i = 0; i < ballKeys.size(); ++i) {
        const std::string& key = ballKeys[i];
        makePng(dir + "/assets/" + key + ".png", fixture.ballWidth, fixture.ballHeight,
                rgba(ballColour(i)));
        textures << ", \"" << key << R"(": {"file": "assets/)" << key << R"(.png"})";
        if (!leftOut(fixture, key)) {
            sprites << separator << '"' << key << R"(": {"texture": ")" << key << R"("})";
            separator = ", ";
        }
    }
    writeFile(dir + "/assets/textures.json", textures.str() + "}}");
    writeFile(dir + "/assets/sprites.json", sprites.str() + "}}");
    if (fixture.withSound) {
        makeWav(dir + "/assets/bounce.wav", 0.1f);
        writeFile(dir + "/assets/sounds.json",
                  R"({"sounds": {"bounce": {"file": "assets/bounce.wav"}}})");
    } else {
        writeFile(dir + "/assets/sounds.json", R"({"sounds": {}})");
    }
    writeFile(dir + "/assets/shaders/passthrough.vert", passthroughVertex);
    writeFile(dir + "/assets/shaders/bg.frag", timeShaderSource());
}

void loadSharedFixture() {
    // Keys registered before are reported as taken and keep their objects, so loading again
    // changes nothing but the shader.
    ScratchDir dir;
    ShowFixture fixture;
    fixture.withSound = false;
    writeShowFixture(dir.path, fixture);
    ScopedCwd cwd(dir.path);
    stderrLinesOf(loadAssets);
}

void resetShow() {
    running = true;
    scene = Scene::Intro;
    fadeAlpha = 0.0f;
    fadeSpeed = 0.0f;
    fadeMode = FadeMode::None;
    intro = IntroState{};
    ballScene = BallSceneState{};
    balls.clear();
}
