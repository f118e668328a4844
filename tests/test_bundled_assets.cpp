// The data the show ships with under assets/: the bundled manifests register every key the show
// uses without a single console line, the pictures and the sound fit the way the show uses them,
// and frames of the real show, captured off-screen, go black where they should, show both logos
// and animate the ball scene's background.
#include "assets/SoundManager.hpp"
#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>

namespace {

using Lines = std::vector<std::string>;

const std::vector<std::string> bundledBallKeys = {"mirel",   "tosk",    "vantor", "greets",
                                                  "fennick", "grumbel", "quade"};
const std::string xvfbRun = "xvfb-run -a -s " + quote("-screen 0 1920x1080x24 -noreset") + " ";

// An OpenAL configuration whose device writes to /dev/null: without a sound card the audio
// library would otherwise fill standard error with its own complaints.
std::string writeSilentAudioConfig(const ScratchDir& dir) {
    writeFile(dir / "openal.conf", "[general]\ndrivers = wave\n[wave]\nfile = /dev/null\n");
    return dir / "openal.conf";
}

// The three bundled manifests, loaded once per process the way start-up loads them.
class BundledManifests : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        spriteKeys = {"black", "pk1", "pk2"};
        spriteKeys.insert(spriteKeys.end(), bundledBallKeys.begin(), bundledBallKeys.end());
        for (const std::string& key : spriteKeys) {
            alreadyTaken = alreadyTaken || SpriteManager::exists(key);
        }
        alreadyTaken = alreadyTaken || SoundManager::exists("bounce");
        if (alreadyTaken) {
            return;
        }
        ScratchDir audio;
        // The audio device is chosen when the process first touches audio, which is this load.
        setenv("ALSOFT_CONF", writeSilentAudioConfig(audio).c_str(), 1);
        ScopedCwd cwd(ORBELLE_SOURCE_DIR);
        lines = stderrLinesOf([] {
            TextureManager::loadFromFile("assets/textures.json");
            SpriteManager::loadFromFile("assets/sprites.json");
            SoundManager::loadFromFile("assets/sounds.json");
        });
        unsetenv("ALSOFT_CONF");
    }

    void SetUp() override {
        if (alreadyTaken) {
            GTEST_SKIP() << "another test in this process registered the show's keys already; "
                            "run this test alone, as ctest does";
        }
    }

    static inline std::vector<std::string> spriteKeys;
    static inline bool alreadyTaken = false;
    static inline Lines lines;
};

TEST_F(BundledManifests, RegisterEveryKeyTheShowUsesWithoutALine) {
    EXPECT_EQ(lines, Lines{}) << "neither the program nor its libraries may write a line";
    for (const std::string& key : spriteKeys) {
        EXPECT_TRUE(SpriteManager::exists(key)) << key;
    }
    EXPECT_TRUE(SoundManager::exists("bounce"));
}

// The fade overlay and the ball scene's background are this one sprite: an opaque black tile
// repeated over the whole window, so the overlay at full opacity hides everything.
TEST_F(BundledManifests, BlackCoversTheWindowInOpaqueBlack) {
    const sf::Sprite* black = SpriteManager::get("black");
    ASSERT_NE(black, nullptr);
    const sf::FloatRect bounds = black->getGlobalBounds();
    EXPECT_LE(bounds.left, 0.0f);
    EXPECT_LE(bounds.top, 0.0f);
    EXPECT_GE(bounds.left + bounds.width, 1920.0f);
    EXPECT_GE(bounds.top + bounds.height, 1080.0f);
    EXPECT_TRUE(black->getTexture()->isRepeated());
    const sf::Image tile = black->getTexture()->copyToImage();
    for (unsigned y = 0; y < tile.getSize().y; ++y) {
        for (unsigned x = 0; x < tile.getSize().x; ++x) {
            ASSERT_EQ(tile.getPixel(x, y), sf::Color::Black) << x << "," << y;
        }
    }
}

// The intro puts each logo's origin on the window's centre: the origin must be the picture's
// centre, and the whole picture must fit the window.
TEST_F(BundledManifests, IntroLogosAreCentredAndFitTheWindow) {
    for (const std::string key : {"pk1", "pk2"}) {
        SCOPED_TRACE(key);
        const sf::Sprite* logo = SpriteManager::get(key);
        ASSERT_NE(logo, nullptr);
        const sf::Vector2u size = logo->getTexture()->getSize();
        EXPECT_EQ(logo->getTextureRect(), sf::IntRect(0, 0, int(size.x), int(size.y)));
        EXPECT_EQ(logo->getOrigin().x, float(size.x / 2));
        EXPECT_EQ(logo->getOrigin().y, float(size.y / 2));
        EXPECT_LE(size.x, 1920u);
        EXPECT_LE(size.y, 1080u);
    }
}

// A ball's box is its whole texture placed by its top left corner, so the sprite must show the
// whole texture from that corner; the picture must start at (20, 180) above the floor and fit
// between the walls; and its corners must be transparent so only the ink shows over the
// background.
TEST_F(BundledManifests, BallLogosFitThePlayFieldWithTransparentSurroundings) {
    for (const std::string& key : bundledBallKeys) {
        SCOPED_TRACE(key);
        const sf::Sprite* ball = SpriteManager::get(key);
        ASSERT_NE(ball, nullptr);
        const sf::Vector2u size = ball->getTexture()->getSize();
        EXPECT_EQ(ball->getTextureRect(), sf::IntRect(0, 0, int(size.x), int(size.y)));
        EXPECT_EQ(ball->getOrigin().x, 0.0f);
        EXPECT_EQ(ball->getOrigin().y, 0.0f);
        EXPECT_LT(180u + size.y, 1070u);
        EXPECT_LT(size.x, 1900u);
        const sf::Image image = ball->getTexture()->copyToImage();
        for (const sf::Vector2u corner :
             {sf::Vector2u(0, 0), sf::Vector2u(size.x - 1, 0), sf::Vector2u(0, size.y - 1),
              sf::Vector2u(size.x - 1, size.y - 1)}) {
            EXPECT_EQ(image.getPixel(corner.x, corner.y).a, 0) << corner.x << "," << corner.y;
        }
    }
}

// The bounce plays at every impact and restarts at the next one: short, clean at both ends, not
// clipped, centred on zero.
TEST(BundledSound, BounceIsAShortCleanHit) {
    // Read as a file, which needs no audio device.
    sf::InputSoundFile file;
    ASSERT_TRUE(file.openFromFile(std::string(ORBELLE_SOURCE_DIR) + "/assets/sounds/bounce.wav"));
    EXPECT_EQ(file.getSampleRate(), 44100u);
    EXPECT_LT(file.getDuration().asSeconds(), 0.15f);
    const std::size_t count = file.getSampleCount();
    ASSERT_GT(count, 100u);
    std::vector<sf::Int16> samples(count);
    ASSERT_EQ(file.read(samples.data(), count), count);
    int peak = 0;
    long long sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        peak = std::max(peak, std::abs(int(samples[i])));
        sum += samples[i];
    }
    EXPECT_LT(peak, 30000) << "peak too close to full scale";
    EXPECT_GT(peak, 8000) << "too quiet to hear over the show";
    EXPECT_LT(std::abs(sum / static_cast<long long>(count)), 100) << "offset from zero";
    // No click: the first and last samples are close to silence.
    EXPECT_LT(std::abs(int(samples[0])), 300);
    EXPECT_LT(std::abs(int(samples[count - 1])), 300);
}

// The audio library's note at exit that the device is still open: the program keeps its sounds,
// and so the device, until the process ends.
Lines withoutExitNotice(Lines lines) {
    lines.erase(
        std::remove(lines.begin(), lines.end(), "AL lib: (EE) alc_cleanup: 1 device not closed"),
        lines.end());
    return lines;
}

// What a frame shows: its brightest channel value, the box around its bright pixels (any
// channel at 128 or more) and the mean over all channels.
struct FrameLook {
    int brightest = 0;
    double mean = 0.0;
    unsigned left = ~0u, top = ~0u, right = 0, bottom = 0;
    unsigned brightPixels = 0;
};

FrameLook look(const sf::Image& frame) {
    FrameLook result;
    double total = 0.0;
    for (unsigned y = 0; y < frame.getSize().y; ++y) {
        for (unsigned x = 0; x < frame.getSize().x; ++x) {
            const sf::Color c = frame.getPixel(x, y);
            const int most = std::max({c.r, c.g, c.b});
            result.brightest = std::max(result.brightest, most);
            total += c.r + c.g + c.b;
            if (most >= 128) {
                ++result.brightPixels;
                result.left = std::min(result.left, x);
                result.top = std::min(result.top, y);
                result.right = std::max(result.right, x);
                result.bottom = std::max(result.bottom, y);
            }
        }
    }
    result.mean = total / (3.0 * frame.getSize().x * frame.getSize().y);
    return result;
}

unsigned differingPixels(const sf::Image& a, const sf::Image& b) {
    unsigned count = 0;
    for (unsigned y = 0; y < a.getSize().y; ++y) {
        for (unsigned x = 0; x < a.getSize().x; ++x) {
            count += a.getPixel(x, y) != b.getPixel(x, y) ? 1 : 0;
        }
    }
    return count;
}

void expectCentredLogo(const FrameLook& frame) {
    EXPECT_GT(frame.brightPixels, 20000u) << "no logo to be seen";
    EXPECT_GT(frame.right - frame.left, 400u);
    EXPECT_NEAR((frame.left + frame.right) / 2.0, 960.0, 40.0);
    EXPECT_NEAR((frame.top + frame.bottom) / 2.0, 540.0, 60.0);
}

// The real show from the repository root, stepped at 1/60 s by the capture tool. The shots:
// before the first logo; the first logo; the frame in which the overlay has just covered it
// (frame 393); the second logo; the ball scene's first frame, its background drawn under the
// fully opaque overlay (frame 696); and the background twice after its fade-in, before the
// first ball starts.
TEST(BundledShow, FramesGoBlackShowBothLogosAndAnimateTheBackground) {
    ScratchDir dir;
    const std::map<std::string, std::string> shots = {
        {"before", "1.0"},      {"first", "3.5"},  {"between", "6.55"}, {"second", "8.5"},
        {"ballsStart", "11.6"}, {"early", "13.8"}, {"later", "15.2"},
    };
    std::string arguments;
    for (const auto& [name, time] : shots) {
        arguments += " " + time + " " + quote(dir / (name + ".png"));
    }
    const ProcessResult result = runCommand("cd " + quote(ORBELLE_SOURCE_DIR) + " && ALSOFT_CONF=" +
                                            quote(writeSilentAudioConfig(dir)) + " timeout 280 " +
                                            xvfbRun + quote(ORBELLE_CAPTURE) + arguments);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(withoutExitNotice(programLines(splitLines(result.err))), Lines{});

    std::map<std::string, sf::Image> frames;
    for (const auto& shot : shots) {
        ASSERT_TRUE(frames[shot.first].loadFromFile(dir / (shot.first + ".png"))) << shot.first;
    }
    EXPECT_EQ(look(frames["before"]).brightest, 0);
    EXPECT_EQ(look(frames["between"]).brightest, 0);
    EXPECT_EQ(look(frames["ballsStart"]).brightest, 0);
    {
        SCOPED_TRACE("first logo");
        expectCentredLogo(look(frames["first"]));
    }
    {
        SCOPED_TRACE("second logo");
        expectCentredLogo(look(frames["second"]));
    }
    EXPECT_GT(differingPixels(frames["first"], frames["second"]), 50000u)
        << "the two logos look alike";

    const FrameLook early = look(frames["early"]);
    const FrameLook later = look(frames["later"]);
    EXPECT_GT(early.mean, 8.0) << "the background is (nearly) black";
    EXPECT_GT(later.mean, 8.0) << "the background is (nearly) black";
    EXPECT_GT(differingPixels(frames["early"], frames["later"]), 20000u)
        << "the background does not move";
}

} // namespace
