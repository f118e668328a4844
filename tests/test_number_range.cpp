// Whole-number entry properties ("rectX" and the like, "instances") given as floating-point
// numbers: truncated when the result is a 32-bit integer, refused like a wrong type when it is
// not, so an entry can never ask for a conversion that has no defined result.
#include "assets/SoundManager.hpp"
#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "support/TestSupport.hpp"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

Lines loadManifest(const ScratchDir& dir, const std::string& name, const std::string& text,
                   bool (*load)(std::string)) {
    ScopedCwd cwd(dir.path);
    writeFile(name, text);
    return programLines(stderrLinesOf([&] { EXPECT_TRUE(load(name)); }));
}

TEST(NumberRangeTest, SpriteIntegersBeyondTheRangeAreRefusedAndTheEdgesTruncate) {
    ScratchDir dir;
    {
        ScopedCwd cwd(dir.path);
        makePng("range.png", 4, 4);
        ASSERT_TRUE(TextureManager::load("nr-texture", "range.png", false));
    }
    const Lines lines = loadManifest(dir, "sprites.json", R"({"sprites": {
        "nr-huge": {"texture": "nr-texture", "rectX": 1e300},
        "nr-just-above": {"texture": "nr-texture", "rectW": 2147483648.0},
        "nr-just-below": {"texture": "nr-texture", "rectH": -2147483649.0},
        "nr-top-edge": {"texture": "nr-texture", "rectW": 2147483647.9},
        "nr-bottom-edge": {"texture": "nr-texture", "rectY": -2147483648.9}
    }})",
                                     SpriteManager::loadFromFile);
    EXPECT_EQ(lines,
              (Lines{"SpriteManager: Invalid rectX for [nr-huge]: number out of range: 1e+300",
                     "SpriteManager: Invalid rectW for [nr-just-above]: number out of range: "
                     "2147483648.0",
                     "SpriteManager: Invalid rectH for [nr-just-below]: number out of range: "
                     "-2147483649.0"}));
    EXPECT_FALSE(SpriteManager::exists("nr-huge"));
    EXPECT_FALSE(SpriteManager::exists("nr-just-above"));
    EXPECT_FALSE(SpriteManager::exists("nr-just-below"));
    ASSERT_TRUE(SpriteManager::exists("nr-top-edge"));
    EXPECT_EQ(SpriteManager::get("nr-top-edge")->getTextureRect().width, 2147483647);
    ASSERT_TRUE(SpriteManager::exists("nr-bottom-edge"));
    EXPECT_EQ(SpriteManager::get("nr-bottom-edge")->getTextureRect().top, -2147483647 - 1);
}

// Without a sound card OpenAL Soft opens no device and no sound buffer can be made; its wave
// backend writing to /dev/null is a device. It is chosen when the process first touches audio,
// so the setting is made before the first sound and kept for the rest of the process.
void useSilentAudioDevice(const ScratchDir& dir) {
    if (std::getenv("ALSOFT_CONF") == nullptr) {
        writeFile(dir / "openal.conf", "[general]\ndrivers = wave\n[wave]\nfile = /dev/null\n");
        setenv("ALSOFT_CONF", (dir / "openal.conf").c_str(), 1);
    }
}

TEST(NumberRangeTest, SoundInstancesBeyondTheRangeAreRefused) {
    ScratchDir dir;
    useSilentAudioDevice(dir);
    {
        ScopedCwd cwd(dir.path);
        makeWav("tone.wav", 0.01f);
    }
    const Lines lines = loadManifest(dir, "sounds.json", R"({"sounds": {
        "nr-instances-huge": {"file": "tone.wav", "instances": 1e10},
        "nr-instances-fraction": {"file": "tone.wav", "instances": 2.9}
    }})",
                                     SoundManager::loadFromFile);
    EXPECT_EQ(lines, (Lines{"SoundManager: Invalid instances for [nr-instances-huge]: number out "
                            "of range: 10000000000.0"}));
    EXPECT_FALSE(SoundManager::exists("nr-instances-huge"));
    ASSERT_TRUE(SoundManager::exists("nr-instances-fraction"));
    EXPECT_EQ(SoundManager::get("nr-instances-fraction")->playerCount, 2);
}

} // namespace
