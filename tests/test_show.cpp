// The whole show end to end: the real program on a small fixture in a scratch folder, with its
// bounce log, its sound recorded by OpenAL's wave writer and its end by itself; and the capture
// tool on a show whose sprites are partly missing.
#include "support/ShowFixture.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

const std::string xvfb = "xvfb-run -a -s " + quote("-screen 0 1920x1080x24 -noreset") + " ";
const unsigned recordingRate = 44100;

struct ShowRun {
    ProcessResult result;
    std::vector<std::int16_t> samples; // mono
};

// The 16-bit mono samples of a WAV file from the wave writer. The writer fills in the data size
// only when the device is closed, which the program leaves to the process's end, so the samples
// are read up to the end of the file.
std::vector<std::int16_t> recordedSamples(const std::string& path) {
    const std::string bytes = readFile(path);
    std::vector<std::int16_t> samples;
    std::size_t at = 12; // "RIFF", size, "WAVE"
    while (at + 8 <= bytes.size()) {
        const std::string id = bytes.substr(at, 4);
        std::uint32_t size = 0;
        std::memcpy(&size, bytes.data() + at + 4, 4);
        at += 8;
        if (id == "data") {
            samples.resize((bytes.size() - at) / 2);
            std::memcpy(samples.data(), bytes.data() + at, samples.size() * 2);
            break;
        }
        if (id == "fmt ") {
            std::uint16_t channels = 0, bits = 0;
            std::uint32_t rate = 0;
            std::memcpy(&channels, bytes.data() + at + 2, 2);
            std::memcpy(&rate, bytes.data() + at + 4, 4);
            std::memcpy(&bits, bytes.data() + at + 14, 2);
            EXPECT_EQ(channels, 1);
            EXPECT_EQ(rate, recordingRate);
            EXPECT_EQ(bits, 16);
        }
        at += size;
    }
    return samples;
}

int loudest(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to) {
    int peak = 0;
    for (std::size_t i = from; i < std::min(to, samples.size()); ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    }
    return peak;
}

ShowRun runShow(const ShowFixture& fixture) {
    ScratchDir dir;
    writeShowFixture(dir.path, fixture);
    const std::string wav = dir / "sound.wav";
    // Recorded as 16-bit mono without dither, so silence is exact zeros.
    writeFile(dir / "alsoft.conf",
              "[general]\ndrivers = wave\nchannels = mono\nsample-type = int16\ndither = false\n"
              "frequency = " +
                  std::to_string(recordingRate) + "\n[wave]\nfile = " + wav + "\n");
    ShowRun run;
    run.result =
        runCommand("cd " + quote(dir.path) + " && ALSOFT_CONF=" + quote(dir / "alsoft.conf") +
                   " timeout 280 " + xvfb + quote(ORBELLE_BINARY));
    run.samples = recordedSamples(wav);
    return run;
}

// Every floor bounce writes "bouncing!" and then the new speed; each ball bounces 30 times and,
// as tall as the fixture's, first bounces at 24 * 0.8 pixels per second.
void expectBounceLog(const std::string& out) {
    const std::vector<std::string> lines = splitLines(out);
    ASSERT_EQ(lines.size(), 2u * 210u);
    const std::string speedPrefix = "yspeed is now ";
    for (std::size_t bounce = 0; bounce < 210; ++bounce) {
        EXPECT_EQ(lines[2 * bounce], "bouncing!") << "bounce " << bounce;
        const std::string& speed = lines[2 * bounce + 1];
        EXPECT_EQ(speed.rfind(speedPrefix, 0), 0u) << speed;
        if (bounce % 30 == 0) {
            EXPECT_EQ(speed, speedPrefix + "-19.2") << "first bounce of ball " << bounce / 30;
        }
    }
}

} // namespace

TEST(Show, RunsToItsEndWithTheBounceLogAndSoundDuringTheBalls) {
    const ShowRun run = runShow(ShowFixture{});
    EXPECT_EQ(run.result.status, 0) << run.result.err;
    expectBounceLog(run.result.out);
    // The intro and the first four seconds of the ball scene are silent; the balls are heard.
    const std::size_t introEnd = 10 * recordingRate;
    ASSERT_GT(run.samples.size(), 16 * recordingRate);
    EXPECT_EQ(loudest(run.samples, 0, introEnd), 0);
    EXPECT_GT(loudest(run.samples, introEnd, run.samples.size()), 2000);
}

TEST(Show, RecordsSilenceWhenSoundIsOffInTheConfiguration) {
    ShowFixture fixture;
    fixture.config = R"({"sound": false})";
    const ShowRun run = runShow(fixture);
    EXPECT_EQ(run.result.status, 0) << run.result.err;
    expectBounceLog(run.result.out);
    ASSERT_GT(run.samples.size(), 16 * recordingRate);
    EXPECT_EQ(loudest(run.samples, 0, run.samples.size()), 0);
}

// Without "pk1", "black" and every ball the show still runs with the same timing: the intro
// hands over on frame 695, the ball scene quits on its 241st frame (936) and one more frame ends
// the show.
TEST(Show, CaptureToolRunsAShowWithMissingSpritesToItsUsualEnd) {
    ScratchDir dir;
    ShowFixture fixture;
    fixture.withSound = false;
    fixture.leftOut = ballKeys;
    fixture.leftOut.push_back("pk1");
    fixture.leftOut.push_back("black");
    writeShowFixture(dir.path, fixture);

    const ProcessResult result =
        runCommand("cd " + quote(dir.path) + " && timeout 280 " + xvfb + quote(ORBELLE_CAPTURE) +
                   " 9.0 shots/logo.png 15.61 shots/last.png 15.62 shots/never.png");

    EXPECT_EQ(result.status, 1);
    const std::vector<std::string> errors = programLines(splitLines(result.err));
    for (const std::string key : {"pk1", "black", "mirel", "quade"}) {
        EXPECT_NE(std::find(errors.begin(), errors.end(),
                            "SpriteManager: Sprite with key " + key + " does not exist."),
                  errors.end())
            << key;
    }
    EXPECT_EQ(errors.back(), "orbelle-capture: the show ended after frame 937, before "
                             "shots/never.png");
    sf::Image logo;
    ASSERT_TRUE(logo.loadFromFile(dir / "shots/logo.png"));
    EXPECT_EQ(logo.getSize(), sf::Vector2u(1920, 1080));
    EXPECT_EQ(logo.getPixel(960, 540), logoBColour);
    EXPECT_EQ(logo.getPixel(859, 540), sf::Color::Black);
    sf::Image last;
    EXPECT_TRUE(last.loadFromFile(dir / "shots/last.png"));
    EXPECT_FALSE(std::filesystem::exists(dir / "shots/never.png"));
}
