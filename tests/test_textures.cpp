// The texture registry: its entry step (file and repeated), its lines, and its lookups.
#include "assets/TextureManager.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// Loads a texture manifest with the given text from a scratch folder holding a 5 × 7 "img.png"
// and a 2 × 2 "other.png"; returns the program's lines.
Lines loadTextureManifest(const std::string& text, bool* result = nullptr) {
    ScratchDir dir;
    ScopedCwd cwd(dir.path);
    makePng("img.png", 5, 7);
    makePng("other.png", 2, 2);
    writeFile("textures.json", text);
    return programLines(stderrLinesOf([&] {
        const bool loaded = TextureManager::loadFromFile("textures.json");
        if (result != nullptr) {
            *result = loaded;
        }
    }));
}

TEST(TextureEntryTest, LoadsTheImageWithItsRepeatMode) {
    bool result = false;
    const Lines lines = loadTextureManifest(R"({"textures": {
        "tex-plain": {"file": "img.png", "other": 12},
        "tex-repeated": {"file": "img.png", "repeated": true},
        "tex-not-repeated": {"file": "img.png", "repeated": false}
    }})",
                                            &result);
    EXPECT_TRUE(lines.empty()) << lines.front();
    EXPECT_TRUE(result);
    for (const char* key : {"tex-plain", "tex-repeated", "tex-not-repeated"}) {
        ASSERT_TRUE(TextureManager::exists(key)) << key;
        EXPECT_EQ(TextureManager::get(key)->getSize(), sf::Vector2u(5, 7)) << key;
    }
    EXPECT_FALSE(TextureManager::get("tex-plain")->isRepeated());
    EXPECT_TRUE(TextureManager::get("tex-repeated")->isRepeated());
    EXPECT_FALSE(TextureManager::get("tex-not-repeated")->isRepeated());
    // Other texture settings keep SFML's defaults.
    EXPECT_FALSE(TextureManager::get("tex-repeated")->isSmooth());
}

TEST(TextureEntryTest, ImageThatDoesNotLoadLeavesTheKeyFree) {
    bool result = false;
    const Lines lines = loadTextureManifest(R"({"textures": {
        "tex-missing": {"file": "images/Not There.png"},
        "tex-empty-name": {"file": ""},
        "tex-not-an-image": {"file": "textures.json"},
        "tex-zz-after": {"file": "img.png"}
    }})",
                                            &result);
    EXPECT_EQ(lines, (Lines{"TextureManager: Unable to load file .",
                            "TextureManager: Unable to load file images/Not There.png.",
                            "TextureManager: Unable to load file textures.json."}));
    EXPECT_TRUE(result);
    EXPECT_FALSE(TextureManager::exists("tex-missing"));
    EXPECT_FALSE(TextureManager::exists("tex-empty-name"));
    EXPECT_FALSE(TextureManager::exists("tex-not-an-image"));
    EXPECT_TRUE(TextureManager::exists("tex-zz-after"));
}

TEST(TextureEntryTest, WrongTypedPropertyCostsOnlyItsEntry) {
    bool result = false;
    const Lines lines = loadTextureManifest(R"({"textures": {
        "tw-repeated-number": {"file": "img.png", "repeated": 1},
        "tw-file-number": {"file": 5},
        "tw-file-null": {"file": null},
        "tw-both": {"file": [], "repeated": "yes"},
        "tw-zz-good": {"file": "img.png"}
    }})",
                                            &result);
    EXPECT_EQ(lines,
              (Lines{"TextureManager: Invalid repeated for [tw-both]: "
                     "[json.exception.type_error.302] type must be boolean, but is string",
                     "TextureManager: Invalid file for [tw-file-null]: "
                     "[json.exception.type_error.302] type must be string, but is null",
                     "TextureManager: Invalid file for [tw-file-number]: "
                     "[json.exception.type_error.302] type must be string, but is number",
                     "TextureManager: Invalid repeated for [tw-repeated-number]: "
                     "[json.exception.type_error.302] type must be boolean, but is number"}));
    EXPECT_TRUE(result);
    for (const char* key : {"tw-repeated-number", "tw-file-number", "tw-file-null", "tw-both"}) {
        EXPECT_FALSE(TextureManager::exists(key)) << key;
    }
    EXPECT_TRUE(TextureManager::exists("tw-zz-good"));
}

TEST(TextureLoadTest, SecondLoadOfAKeyKeepsTheFirstTexture) {
    ScratchDir dir;
    ScopedCwd cwd(dir.path);
    makePng("first.png", 3, 3);
    makePng("second.png", 8, 8);
    ASSERT_TRUE(TextureManager::load("tex-twice", "first.png", false));
    sf::Texture* first = TextureManager::get("tex-twice");

    bool result = true;
    const Lines lines = programLines(
        stderrLinesOf([&] { result = TextureManager::load("tex-twice", "second.png", true); }));
    EXPECT_EQ(lines, Lines{"TextureManager: Texture with key tex-twice already exists."});
    EXPECT_FALSE(result);
    EXPECT_EQ(TextureManager::get("tex-twice"), first);
    EXPECT_EQ(first->getSize(), sf::Vector2u(3, 3));
    EXPECT_FALSE(first->isRepeated());
}

TEST(TextureLookupTest, KeysAreCaseSensitiveAndLookupsAddNothing) {
    ScratchDir dir;
    ScopedCwd cwd(dir.path);
    makePng("img.png", 2, 2);
    ASSERT_TRUE(TextureManager::load("tex-Case", "img.png", false));

    Lines lines = stderrLinesOf([] {
        EXPECT_FALSE(TextureManager::exists("tex-case"));
        EXPECT_FALSE(TextureManager::exists(""));
    });
    EXPECT_TRUE(lines.empty());

    sf::Texture* found = nullptr;
    lines = stderrLinesOf([&] { found = TextureManager::get("tex-case"); });
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(lines, Lines{"TextureManager: Texture with key tex-case does not exist."});
    EXPECT_FALSE(TextureManager::exists("tex-case"));

    lines = stderrLinesOf([&] { found = TextureManager::get("tex-Case"); });
    EXPECT_TRUE(lines.empty());
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found, TextureManager::get("tex-Case"));
}

} // namespace
