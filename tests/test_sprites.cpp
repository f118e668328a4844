// The sprite registry: how an entry becomes a sprite's texture rectangle and origin, what
// happens to entries it cannot use, and that every caller shares the one sprite per key.
#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

class SpriteTest : public testing::Test {
  protected:
    // Two textures the entries cut from: an even and an odd size, so halving rounds down.
    static void SetUpTestSuite() {
        ScratchDir dir;
        ScopedCwd cwd(dir.path);
        makePng("even.png", 300, 200);
        makePng("odd.png", 301, 201);
        if (!TextureManager::exists("sp-300")) {
            ASSERT_TRUE(TextureManager::load("sp-300", "even.png", false));
            ASSERT_TRUE(TextureManager::load("sp-301", "odd.png", false));
        }
    }

    // Loads a sprite manifest with the given text; returns the program's lines.
    static Lines loadSpriteManifest(const std::string& text, bool* result = nullptr) {
        ScratchDir dir;
        ScopedCwd cwd(dir.path);
        writeFile("sprites.json", text);
        return programLines(stderrLinesOf([&] {
            const bool loaded = SpriteManager::loadFromFile("sprites.json");
            if (result != nullptr) {
                *result = loaded;
            }
        }));
    }
};

struct SpriteCase {
    const char* key;
    const char* entry;
    sf::IntRect rect;
    sf::Vector2f origin;
};

const SpriteCase spriteCases[] = {
    {"sc-defaults", R"({"texture": "sp-300"})", {0, 0, 300, 200}, {0, 0}},
    {"sc-autocenter-wins",
     R"({"texture": "sp-301", "autocenter": true, "originX": 5, "rectX": 10, "rectW": 20})",
     {0, 0, 301, 201},
     {150, 100}},
    {"sc-autocenter-even",
     R"({"texture": "sp-300", "autocenter": true})",
     {0, 0, 300, 200},
     {150, 100}},
    {"sc-autocenter-false",
     R"({"texture": "sp-300", "autocenter": false})",
     {0, 0, 300, 200},
     {0, 0}},
    {"sc-explicit",
     R"({"texture": "sp-301", "rectX": 10, "rectY": 20, "rectW": 30, "rectH": 40,
         "originX": 2.5, "originY": -7})",
     {10, 20, 30, 40},
     {2.5f, -7}},
    {"sc-minus-one",
     R"({"texture": "sp-301", "rectW": -1, "rectH": -1, "rectX": 4})",
     {4, 0, 301, 201},
     {0, 0}},
    {"sc-minus-two", R"({"texture": "sp-300", "rectW": -2, "rectH": -2})", {0, 0, -2, -2}, {0, 0}},
    {"sc-zero", R"({"texture": "sp-300", "rectW": 0, "rectH": 0})", {0, 0, 0, 0}, {0, 0}},
    {"sc-larger-than-texture",
     R"({"texture": "sp-300", "rectW": 1000, "rectY": 500})",
     {0, 500, 1000, 200},
     {0, 0}},
    {"sc-truncated",
     R"({"texture": "sp-300", "rectX": 3.9, "rectY": -3.9, "rectW": 10.99})",
     {3, -3, 10, 200},
     {0, 0}},
    // Converted first, compared after: these become -1 and so the full size.
    {"sc-minus-one-float",
     R"({"texture": "sp-300", "rectW": -1.5, "rectH": 4294967295})",
     {0, 0, 300, 200},
     {0, 0}},
    {"sc-booleans",
     R"({"texture": "sp-300", "originX": 2, "originY": true, "rectX": true, "rectH": false})",
     {1, 0, 300, 0},
     {2, 1}},
    {"sc-low-32-bits", R"({"texture": "sp-300", "rectX": 4294967297})", {1, 0, 300, 200}, {0, 0}},
};

TEST_F(SpriteTest, EntryPropertiesGiveTheRectangleAndOrigin) {
    std::string manifest = "{\"sprites\": {";
    for (const SpriteCase& c : spriteCases) {
        manifest +=
            std::string(manifest.back() == '{' ? "" : ", ") + "\"" + c.key + "\": " + c.entry;
    }
    bool result = false;
    const Lines lines = loadSpriteManifest(manifest + "}}", &result);
    EXPECT_TRUE(lines.empty()) << lines.front();
    EXPECT_TRUE(result);

    for (const SpriteCase& c : spriteCases) {
        SCOPED_TRACE(c.key);
        const sf::Sprite* sprite = SpriteManager::get(c.key);
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->getTextureRect(), c.rect);
        EXPECT_EQ(sprite->getOrigin(), c.origin);
        // Everything else keeps the library's defaults.
        EXPECT_EQ(sprite->getPosition(), sf::Vector2f(0, 0));
        EXPECT_EQ(sprite->getScale(), sf::Vector2f(1, 1));
        EXPECT_EQ(sprite->getRotation(), 0.0f);
        EXPECT_EQ(sprite->getColor(), sf::Color::White);
    }
    EXPECT_EQ(SpriteManager::get("sc-defaults")->getTexture(), TextureManager::get("sp-300"));
    EXPECT_EQ(SpriteManager::get("sc-autocenter-wins")->getTexture(),
              TextureManager::get("sp-301"));
}

TEST_F(SpriteTest, UnusableEntriesAreReportedAndTheRestLoad) {
    bool result = false;
    const Lines lines = loadSpriteManifest(R"({"sprites": {
        "su-a-no-texture": {"file": "sp-300"},
        "su-b-texture-missing": {"texture": "sp-none", "autocenter": true},
        "su-c-texture-case": {"texture": "SP-300"},
        "su-d-not-an-object": "sp-300",
        "su-e-good": {"texture": "sp-300"}
    }})",
                                           &result);
    EXPECT_EQ(lines, (Lines{"SpriteManager: Missing TEXTURE property for [su-a-no-texture]",
                            "TextureManager: Texture with key sp-none does not exist.",
                            "TextureManager: Texture with key SP-300 does not exist.",
                            "SpriteManager: Missing TEXTURE property for [su-d-not-an-object]"}));
    EXPECT_TRUE(result);
    for (const char* key :
         {"su-a-no-texture", "su-b-texture-missing", "su-c-texture-case", "su-d-not-an-object"}) {
        EXPECT_FALSE(SpriteManager::exists(key)) << key;
    }
    EXPECT_TRUE(SpriteManager::exists("su-e-good"));
}

TEST_F(SpriteTest, WrongTypedPropertyIsNamedAndNeverFallsBackToItsDefault) {
    bool result = false;
    const Lines lines = loadSpriteManifest(R"({"sprites": {
        "sw-a-rect-string": {"texture": "sp-300", "rectX": "3"},
        "sw-b-rect-null": {"texture": "sp-300", "rectX": null},
        "sw-c-origin-array": {"texture": "sp-300", "originY": [1]},
        "sw-d-texture-number": {"texture": 5},
        "sw-e-first-wrong-named": {"texture": 5, "rectH": {}, "originX": "x"},
        "sw-f-autocenter-number": {"texture": "sp-300", "autocenter": 1},
        "sw-g-autocenter-after-lookup": {"texture": "sp-none", "autocenter": "yes"},
        "sw-h-good": {"texture": "sp-300", "rectW": 7}
    }})",
                                           &result);
    const std::string typeError = "[json.exception.type_error.302] type must be ";
    EXPECT_EQ(lines,
              (Lines{"SpriteManager: Invalid rectX for [sw-a-rect-string]: " + typeError +
                         "number, but is string",
                     "SpriteManager: Invalid rectX for [sw-b-rect-null]: " + typeError +
                         "number, but is null",
                     "SpriteManager: Invalid originY for [sw-c-origin-array]: " + typeError +
                         "number, but is array",
                     "SpriteManager: Invalid texture for [sw-d-texture-number]: " + typeError +
                         "string, but is number",
                     "SpriteManager: Invalid originX for [sw-e-first-wrong-named]: " + typeError +
                         "number, but is string",
                     "SpriteManager: Invalid autocenter for [sw-f-autocenter-number]: " +
                         typeError + "boolean, but is number",
                     "TextureManager: Texture with key sp-none does not exist."}));
    EXPECT_TRUE(result);
    for (const char* key :
         {"sw-a-rect-string", "sw-b-rect-null", "sw-c-origin-array", "sw-d-texture-number",
          "sw-e-first-wrong-named", "sw-f-autocenter-number", "sw-g-autocenter-after-lookup"}) {
        EXPECT_FALSE(SpriteManager::exists(key)) << key;
    }
    ASSERT_TRUE(SpriteManager::exists("sw-h-good"));
    EXPECT_EQ(SpriteManager::get("sw-h-good")->getTextureRect(), sf::IntRect(0, 0, 7, 200));
}

TEST_F(SpriteTest, EveryCallerGetsTheSameSprite) {
    loadSpriteManifest(R"({"sprites": {"si-black": {"texture": "sp-300"}}})");
    sf::Sprite* first = SpriteManager::get("si-black");
    sf::Sprite* second = SpriteManager::get("si-black");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    first->setColor(sf::Color(255, 255, 255, 40));
    first->setPosition(960, 540);
    EXPECT_EQ(second->getColor(), sf::Color(255, 255, 255, 40));
    EXPECT_EQ(second->getPosition(), sf::Vector2f(960, 540));
}

TEST_F(SpriteTest, KeysAreCaseSensitiveAndLookupsAddNothing) {
    loadSpriteManifest(R"({"sprites": {"sk-black": {"texture": "sp-300"}}})");
    Lines lines = stderrLinesOf([] {
        EXPECT_FALSE(SpriteManager::exists("Sk-black"));
        EXPECT_FALSE(SpriteManager::exists(""));
    });
    EXPECT_TRUE(lines.empty());

    sf::Sprite* found = SpriteManager::get("sk-black");
    lines = stderrLinesOf([&] { found = SpriteManager::get("Sk-black"); });
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(lines, Lines{"SpriteManager: Sprite with key Sk-black does not exist."});
    EXPECT_FALSE(SpriteManager::exists("Sk-black"));
    EXPECT_TRUE(SpriteManager::exists("sk-black"));
}

TEST_F(SpriteTest, LoadingAgainOnlyReportsTheKeysAlreadyTaken) {
    const std::string first = R"({"sprites": {
        "sr-b": {"texture": "sp-300", "rectX": 5, "rectW": 50, "originX": 3},
        "sr-a": {"texture": "sp-301", "autocenter": true}
    }})";
    ASSERT_TRUE(loadSpriteManifest(first).empty());
    sf::Sprite* a = SpriteManager::get("sr-a");
    sf::Sprite* b = SpriteManager::get("sr-b");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    a->setPosition(12, 34);
    a->setColor(sf::Color(255, 255, 255, 7));

    // Same manifest, then the same keys with other values: neither changes a sprite.
    const std::string changed = R"({"sprites": {
        "sr-b": {"texture": "sp-301", "rectX": 1, "rectW": 2, "originX": 9},
        "sr-a": {"texture": "sp-300"}
    }})";
    for (const std::string& manifest : {first, changed}) {
        const Lines lines = loadSpriteManifest(manifest);
        EXPECT_EQ(lines, (Lines{"SpriteManager: Sprite with key sr-a already exists.",
                                "SpriteManager: Sprite with key sr-b already exists."}));
        EXPECT_EQ(SpriteManager::get("sr-a"), a);
        EXPECT_EQ(SpriteManager::get("sr-b"), b);
        EXPECT_EQ(a->getTexture(), TextureManager::get("sp-301"));
        EXPECT_EQ(a->getTextureRect(), sf::IntRect(0, 0, 301, 201));
        EXPECT_EQ(a->getOrigin(), sf::Vector2f(150, 100));
        EXPECT_EQ(a->getPosition(), sf::Vector2f(12, 34));
        EXPECT_EQ(a->getColor(), sf::Color(255, 255, 255, 7));
        EXPECT_EQ(b->getTexture(), TextureManager::get("sp-300"));
        EXPECT_EQ(b->getTextureRect(), sf::IntRect(5, 0, 50, 200));
        EXPECT_EQ(b->getOrigin(), sf::Vector2f(3, 0));
    }
}

TEST_F(SpriteTest, AlreadyTakenKeyStillLooksItsTextureUp) {
    ASSERT_TRUE(loadSpriteManifest(R"({"sprites": {"sl-logo": {"texture": "sp-300"}}})").empty());
    const Lines lines = loadSpriteManifest(R"({"sprites": {"sl-logo": {"texture": "sp-gone"}}})");
    EXPECT_EQ(lines, Lines{"TextureManager: Texture with key sp-gone does not exist."});
    EXPECT_EQ(SpriteManager::get("sl-logo")->getTexture(), TextureManager::get("sp-300"));
}

} // namespace
