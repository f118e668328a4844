// The sound registry: player pools made from the manifest, its lines, and play(), which
// restarts the first player and is silenced by the sound setting.
#include "app/Config.hpp"
#include "assets/SoundManager.hpp"
#include "support/TestSupport.hpp"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Lines = std::vector<std::string>;

class SoundTest : public testing::Test {
  protected:
    // Without a sound card OpenAL Soft opens no device and players never play; its wave backend
    // is a device that writes to a file instead. It is chosen when the process first touches
    // audio, so this runs before any sound is made. The setting is restored afterwards.
    static void SetUpTestSuite() {
        files = std::make_unique<ScratchDir>();
        const char* previous = std::getenv("ALSOFT_CONF");
        previousConf = previous != nullptr ? previous : "";
        writeFile(*files / "openal.conf", "[general]\ndrivers = wave\n[wave]\nfile = /dev/null\n");
        setenv("ALSOFT_CONF", (*files / "openal.conf").c_str(), 1);
        makeWav(*files / "tone.wav", 2.0f);
    }

    static void TearDownTestSuite() {
        if (previousConf.empty()) {
            unsetenv("ALSOFT_CONF");
        } else {
            setenv("ALSOFT_CONF", previousConf.c_str(), 1);
        }
        files.reset();
    }

    void SetUp() override { soundMuted = false; }
    void TearDown() override { soundMuted = false; }

    // Loads a sound manifest with the given text from the folder holding "tone.wav"; returns
    // the program's lines.
    static Lines loadSoundManifest(const std::string& text, bool* result = nullptr) {
        ScopedCwd cwd(files->path);
        writeFile("sounds.json", text);
        return programLines(stderrLinesOf([&] {
            const bool loaded = SoundManager::loadFromFile("sounds.json");
            if (result != nullptr) {
                *result = loaded;
            }
        }));
    }

    // Loads "tone.wav" under key with the given pool size.
    static SoundEntry* loadTone(const std::string& key, int instances) {
        ScopedCwd cwd(files->path);
        EXPECT_TRUE(SoundManager::load(key, "tone.wav", instances));
        return SoundManager::get(key);
    }

    static std::unique_ptr<ScratchDir> files;
    static std::string previousConf;
};

std::unique_ptr<ScratchDir> SoundTest::files;
std::string SoundTest::previousConf;

TEST_F(SoundTest, EachEntryGetsAPoolOfPlayersBoundToItsOwnBuffer) {
    bool result = false;
    const Lines lines = loadSoundManifest(R"({"sounds": {
        "sp-absent": {"file": "tone.wav"},
        "sp-three": {"file": "tone.wav", "instances": 3},
        "sp-float": {"file": "tone.wav", "instances": 2.9},
        "sp-true": {"file": "tone.wav", "instances": true}
    }})",
                                          &result);
    EXPECT_TRUE(lines.empty()) << lines.front();
    EXPECT_TRUE(result);

    const std::pair<const char*, int> expected[] = {
        {"sp-absent", 1}, {"sp-three", 3}, {"sp-float", 2}, {"sp-true", 1}};
    for (const auto& [key, count] : expected) {
        SCOPED_TRACE(key);
        const SoundEntry* entry = SoundManager::get(key);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->playerCount, count);
        EXPECT_EQ(entry->buffer->getSampleCount(), 88200u);
        for (int i = 0; i < entry->playerCount; ++i) {
            EXPECT_EQ(entry->players[i].getBuffer(), entry->buffer);
            EXPECT_EQ(entry->players[i].getStatus(), sf::Sound::Stopped);
        }
    }
    // Two entries naming one file decode it twice.
    EXPECT_NE(SoundManager::get("sp-absent")->buffer, SoundManager::get("sp-three")->buffer);
}

TEST_F(SoundTest, PoolSizeOutsideOneTo256IsRefusedBeforeTheFileIsRead) {
    bool result = false;
    const Lines lines = loadSoundManifest(R"({"sounds": {
        "sr-zero": {"file": "tone.wav", "instances": 0},
        "sr-false": {"file": "tone.wav", "instances": false},
        "sr-negative": {"file": "missing.wav", "instances": -1},
        "sr-300": {"file": "tone.wav", "instances": 300},
        "sr-257": {"file": "tone.wav", "instances": 257},
        "sr-wraps-to-zero": {"file": "tone.wav", "instances": 4294967296},
        "sr-zz-good": {"file": "tone.wav", "instances": 2}
    }})",
                                          &result);
    EXPECT_EQ(lines, (Lines{"SoundManager: Invalid instances 257 for [sr-257].",
                            "SoundManager: Invalid instances 300 for [sr-300].",
                            "SoundManager: Invalid instances 0 for [sr-false].",
                            "SoundManager: Invalid instances -1 for [sr-negative].",
                            "SoundManager: Invalid instances 0 for [sr-wraps-to-zero].",
                            "SoundManager: Invalid instances 0 for [sr-zero]."}));
    EXPECT_TRUE(result);
    for (const char* key :
         {"sr-zero", "sr-false", "sr-negative", "sr-300", "sr-257", "sr-wraps-to-zero"}) {
        EXPECT_FALSE(SoundManager::exists(key)) << key;
    }
    EXPECT_TRUE(SoundManager::exists("sr-zz-good"));
}

TEST_F(SoundTest, FileThatDoesNotLoadIsReportedWithItsPathAsGiven) {
    bool result = false;
    const Lines lines = loadSoundManifest(R"({"sounds": {
        "sf-missing": {"file": "sounds/Bounce Missing.wav"},
        "sf-not-audio": {"file": "sounds.json", "instances": 2},
        "sf-zz-good": {"file": "tone.wav"}
    }})",
                                          &result);
    EXPECT_EQ(lines, (Lines{"SoundManager: Unable to load file sounds/Bounce Missing.wav.",
                            "SoundManager: Unable to load file sounds.json."}));
    EXPECT_TRUE(result);
    EXPECT_FALSE(SoundManager::exists("sf-missing"));
    EXPECT_FALSE(SoundManager::exists("sf-not-audio"));
    EXPECT_TRUE(SoundManager::exists("sf-zz-good"));
}

TEST_F(SoundTest, WrongTypedPropertyCostsOnlyItsEntry) {
    bool result = false;
    const Lines lines = loadSoundManifest(R"({"sounds": {
        "sw-a-instances-string": {"file": "tone.wav", "instances": "3"},
        "sw-b-instances-null": {"file": "tone.wav", "instances": null},
        "sw-c-file-null": {"file": null},
        "sw-d-both-wrong": {"file": 5, "instances": {}},
        "sw-e-good": {"file": "tone.wav"}
    }})",
                                          &result);
    const std::string typeError = "[json.exception.type_error.302] type must be ";
    EXPECT_EQ(lines,
              (Lines{"SoundManager: Invalid instances for [sw-a-instances-string]: " + typeError +
                         "number, but is string",
                     "SoundManager: Invalid instances for [sw-b-instances-null]: " + typeError +
                         "number, but is null",
                     "SoundManager: Invalid file for [sw-c-file-null]: " + typeError +
                         "string, but is null",
                     "SoundManager: Invalid instances for [sw-d-both-wrong]: " + typeError +
                         "number, but is object"}));
    EXPECT_TRUE(result);
    for (const char* key :
         {"sw-a-instances-string", "sw-b-instances-null", "sw-c-file-null", "sw-d-both-wrong"}) {
        EXPECT_FALSE(SoundManager::exists(key)) << key;
    }
    EXPECT_TRUE(SoundManager::exists("sw-e-good"));
}

TEST_F(SoundTest, SecondLoadOfAKeyKeepsTheFirstEntryAndReadsNoFile) {
    SoundEntry* first = loadTone("sd-twice", 2);
    ASSERT_NE(first, nullptr);
    sf::SoundBuffer* buffer = first->buffer;
    sf::Sound* players = first->players;

    ScopedCwd cwd(files->path);
    for (const char* file : {"tone.wav", "missing.wav"}) {
        bool result = true;
        const Lines lines =
            programLines(stderrLinesOf([&] { result = SoundManager::load("sd-twice", file, 5); }));
        EXPECT_EQ(lines, Lines{"SoundManager: Sound with key sd-twice already exists."});
        EXPECT_FALSE(result);
    }
    EXPECT_EQ(SoundManager::get("sd-twice"), first);
    EXPECT_EQ(first->buffer, buffer);
    EXPECT_EQ(first->players, players);
    EXPECT_EQ(first->playerCount, 2);
}

TEST_F(SoundTest, KeysAreCaseSensitiveAndLookupsAddNothing) {
    ASSERT_NE(loadTone("sk-bounce", 1), nullptr);
    Lines lines = stderrLinesOf([] {
        EXPECT_FALSE(SoundManager::exists("Sk-bounce"));
        EXPECT_TRUE(SoundManager::exists("sk-bounce"));
    });
    EXPECT_TRUE(lines.empty());

    SoundEntry* found = nullptr;
    lines = stderrLinesOf([&] { found = SoundManager::get("Sk-bounce"); });
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(lines, Lines{"SoundManager: Sound with key Sk-bounce does not exist."});
    EXPECT_FALSE(SoundManager::exists("Sk-bounce"));
}

TEST_F(SoundTest, PlayingAMissingKeyIsReportedMutedOrNot) {
    for (bool muted : {false, true}) {
        soundMuted = muted;
        const Lines lines = stderrLinesOf([] { SoundManager::play("sm-nothing"); });
        EXPECT_EQ(lines, Lines{"SoundManager: Sound with key sm-nothing does not exist."})
            << "muted " << muted;
        EXPECT_FALSE(SoundManager::exists("sm-nothing"));
    }
}

TEST_F(SoundTest, MutedPlayDoesNothing) {
    SoundEntry* entry = loadTone("sm-muted", 2);
    ASSERT_NE(entry, nullptr);
    soundMuted = true;
    const Lines lines = stderrLinesOf([] { SoundManager::play("sm-muted"); });
    EXPECT_TRUE(lines.empty());
    for (int i = 0; i < entry->playerCount; ++i) {
        EXPECT_EQ(entry->players[i].getStatus(), sf::Sound::Stopped);
    }
}

TEST_F(SoundTest, PlayRestartsTheFirstPlayerSoCopiesNeverOverlap) {
    SoundEntry* entry = loadTone("sp-bounce", 3);
    ASSERT_NE(entry, nullptr);
    const sf::Sound& first = entry->players[0];
    const auto othersStopped = [&] {
        for (int i = 1; i < entry->playerCount; ++i) {
            EXPECT_EQ(entry->players[i].getStatus(), sf::Sound::Stopped) << "player " << i;
        }
    };

    const Lines lines = stderrLinesOf([] { SoundManager::play("sp-bounce"); });
    EXPECT_TRUE(lines.empty());
    ASSERT_EQ(first.getStatus(), sf::Sound::Playing)
        << "no audio device: was audio used in this process before ALSOFT_CONF was set?";
    othersStopped();

    // Two calls in quick succession: still one player sounding.
    SoundManager::play("sp-bounce");
    EXPECT_EQ(first.getStatus(), sf::Sound::Playing);
    othersStopped();

    sf::sleep(sf::milliseconds(400));
    const sf::Time before = first.getPlayingOffset();
    ASSERT_GE(before, sf::milliseconds(250));
    SoundManager::play("sp-bounce");
    EXPECT_EQ(first.getStatus(), sf::Sound::Playing);
    EXPECT_LT(first.getPlayingOffset(), sf::milliseconds(100));
    othersStopped();
}

} // namespace
