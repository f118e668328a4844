// The manifest walk shared by the registries, driven through the texture registry (the
// cheapest entry step): which lines a manifest produces, in which order, the loader's result and
// what ends up registered.
#include "assets/Manifest.hpp"
#include "assets/SoundManager.hpp"
#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>
#include <sstream>

namespace {

// The description the JSON library gives for the first error in parsing text, which the loader
// must print unchanged.
std::string parseErrorOf(const std::string& text) {
    std::istringstream stream(text);
    nlohmann::json document;
    try {
        stream >> document;
    } catch (const nlohmann::detail::exception& error) {
        return error.what();
    }
    return "(no error)";
}

using Lines = std::vector<std::string>;

const char* const parseErrorLine = "TextureManager: Error while parsing JSON.";
const char* const validateLine = "validateJson: Missing prop: textures.";
const char* const missingRootLine = "TextureManager: Missing properties in texturesfile.";

struct WalkCase {
    const char* name;
    const char* manifest; // nullptr: no manifest file at all
    std::vector<std::string> lines;
    bool result;
    std::vector<std::string> registered = {};
    std::vector<std::string> notRegistered = {};
};

// Marks the place of the library's description line, filled in from the manifest's text.
const std::string libraryDescription = "<library description>";

const WalkCase walkCases[] = {
    {"NoFile", nullptr, {"TextureManager: Unable to open file assets/textures.json."}, false},
    {"Empty", "", {parseErrorLine, libraryDescription, validateLine, missingRootLine}, false},
    {"NotJsonAtAll",
     "textures",
     {parseErrorLine, libraryDescription, validateLine, missingRootLine},
     false},
    {"LeadingComment",
     "// all textures\n{\"textures\": {\"comment-lead\": {\"file\": \"img.png\"}}}",
     {parseErrorLine, libraryDescription, validateLine, missingRootLine},
     false,
     {},
     {"comment-lead"}},
    {"RootArray",
     "[{\"textures\": {\"array-root\": {\"file\": \"img.png\"}}}]",
     {validateLine, missingRootLine},
     false,
     {},
     {"array-root"}},
    {"RootNumber", "42", {validateLine, missingRootLine}, false},
    {"RootKeyMissing",
     "{\"sprites\": {\"other-root\": {\"file\": \"img.png\"}}, \"Textures\": {}}",
     {validateLine, missingRootLine},
     false,
     {},
     {"other-root"}},
    {"RootKeyNull", "{\"textures\": null}", {}, true},
    {"RootKeyEmptyObject", "{\"textures\": {}, \"extra\": 1}", {}, true},
    {"RootKeySingleString",
     "{\"textures\": \"img.png\"}",
     {"TextureManager: Missing FILE property for []"},
     true,
     {},
     {""}},
    {"RootKeyArray",
     "{\"textures\": [{\"file\": \"img.png\"}, \"img.png\", {\"file\": \"img.png\"}]}",
     {"TextureManager: Missing FILE property for [1]"},
     true,
     {"0", "2"},
     {"1"}},
    {"KeysInByteOrder",
     "{\"textures\": {\"b\": {}, \"B\": {}, \"a\": {}, \"ab\": {}}}",
     {"TextureManager: Missing FILE property for [B]",
      "TextureManager: Missing FILE property for [a]",
      "TextureManager: Missing FILE property for [ab]",
      "TextureManager: Missing FILE property for [b]"},
     true},
    {"BadEntriesDoNotStopTheWalk",
     "{\"textures\": {\"bad-str\": \"img.png\", \"bad-nofile\": {\"File\": \"img.png\"},"
     " \"bad-num\": 7, \"bad-zz\": {\"file\": \"img.png\"}}}",
     {"TextureManager: Missing FILE property for [bad-nofile]",
      "TextureManager: Missing FILE property for [bad-num]",
      "TextureManager: Missing FILE property for [bad-str]"},
     true,
     {"bad-zz"},
     {"bad-str", "bad-nofile", "bad-num"}},
    {"SecondValueAfterRoot",
     "{\"textures\": {\"second-a\": {\"file\": \"img.png\"}}}\n"
     "{\"textures\": {\"second-b\": {\"file\": \"img.png\"}}} trailing words",
     {},
     true,
     {"second-a"},
     {"second-b"}},
    {"CommentBetweenEntries",
     "{\"textures\": {\"comment-a\": {\"file\": \"img.png\"}, /* next */\n"
     " \"comment-b\": {\"file\": \"img.png\"}}}",
     {parseErrorLine, libraryDescription},
     true,
     {"comment-a"},
     {"comment-b"}},
    {"CutAfterTwoEntries",
     "{\"textures\": {\"cut-a\": {\"file\": \"img.png\"}, \"cut-b\": {\"file\": \"img.png\"},",
     {parseErrorLine, libraryDescription},
     true,
     {"cut-a", "cut-b"}},
    {"CutInsideAnEntry",
     "{\"textures\": {\"part-a\": {\"file\": \"img.png\"}, \"part-b\": {\"repeated\": true, \"fi",
     {parseErrorLine, libraryDescription, "TextureManager: Missing FILE property for [part-b]"},
     true,
     {"part-a"},
     {"part-b"}},
    {"CutBeforeAValue",
     "{\"textures\": {\"value-a\": {\"file\": \"img.png\"}, \"value-b\": {\"file\": ",
     {parseErrorLine, libraryDescription,
      "TextureManager: Invalid file for [value-b]: [json.exception.type_error.302] type must be "
      "string, but is null"},
     true,
     {"value-a"},
     {"value-b"}},
    {"NumberTooLarge",
     "{\"textures\": {\"huge-a\": {\"file\": \"img.png\"}, \"huge-b\": {\"file\": \"img.png\","
     " \"repeated\": 1e999}}}",
     {parseErrorLine, libraryDescription,
      "TextureManager: Invalid repeated for [huge-b]: [json.exception.type_error.302] type must "
      "be boolean, but is null"},
     true,
     {"huge-a"},
     {"huge-b"}},
    {"DuplicateNamesKeepTheLaterValue",
     "{\"textures\": {\"dup\": {\"file\": \"missing.png\"}, \"dup\": {\"file\": \"img.png\"}}}",
     {},
     true,
     {"dup"}},
};

// Names the case in test listings instead of a byte dump.
void PrintTo(const WalkCase& c, std::ostream* out) {
    *out << c.name;
}

class ManifestWalkTest : public testing::TestWithParam<WalkCase> {};

TEST_P(ManifestWalkTest, WritesItsLinesInOrderAndRegistersWhatItWalked) {
    const WalkCase& c = GetParam();
    ScratchDir dir;
    ScopedCwd cwd(dir.path);
    makePng("img.png", 4, 3);
    if (c.manifest != nullptr) {
        writeFile("assets/textures.json", c.manifest);
    }
    std::vector<std::string> expected = c.lines;
    for (std::string& line : expected) {
        if (line == libraryDescription) {
            line = parseErrorOf(c.manifest);
        }
    }

    bool result = !c.result;
    const auto lines = programLines(
        stderrLinesOf([&] { result = TextureManager::loadFromFile("assets/textures.json"); }));

    EXPECT_EQ(lines, expected);
    EXPECT_EQ(result, c.result);
    for (const std::string& key : c.registered) {
        EXPECT_TRUE(TextureManager::exists(key)) << key;
    }
    for (const std::string& key : c.notRegistered) {
        EXPECT_FALSE(TextureManager::exists(key)) << key;
    }
}

INSTANTIATE_TEST_SUITE_P(Manifests, ManifestWalkTest, testing::ValuesIn(walkCases),
                         [](const testing::TestParamInfo<WalkCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ManifestLinesTest, ParseErrorDescriptionIsTheLibrarysOwnText) {
    ScratchDir dir;
    ScopedCwd cwd(dir.path);
    writeFile("assets/textures.json", "");
    const auto lines =
        programLines(stderrLinesOf([] { TextureManager::loadFromFile("assets/textures.json"); }));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "[json.exception.parse_error.101] parse error at line 1, column 1: "
                        "syntax error while parsing value - unexpected end of input; expected "
                        "'[', '{', or a literal");
}

TEST(ManifestLinesTest, OpenFailureLineRepeatsThePathAsGiven) {
    ScratchDir dir;
    ScopedCwd cwd(dir.path);
    const auto lines = programLines(
        stderrLinesOf([] { EXPECT_FALSE(TextureManager::loadFromFile("no such/Dir/t.json")); }));
    EXPECT_EQ(lines,
              std::vector<std::string>{"TextureManager: Unable to open file no such/Dir/t.json."});
}

// The walk's own lines as each registry writes them.
struct RegistryLines {
    bool (*loadFromFile)(std::string path);
    const char* root;
    Lines openFailure;
    Lines missingRoot;
    Lines missingProperty;
};

const RegistryLines registryLines[] = {
    {TextureManager::loadFromFile,
     "textures",
     {"TextureManager: Unable to open file walk/none.json."},
     {"TextureManager: Error while parsing JSON.", "validateJson: Missing prop: textures.",
      "TextureManager: Missing properties in texturesfile."},
     {"TextureManager: Missing FILE property for [walk-entry]"}},
    {SpriteManager::loadFromFile,
     "sprites",
     {"SpriteManager: Unable to open file walk/none.json."},
     {"SpriteManager: Error while parsing JSON.", "validateJson: Missing prop: sprites.",
      "SpriteManager: Missing properties in spritesfile."},
     {"SpriteManager: Missing TEXTURE property for [walk-entry]"}},
    {SoundManager::loadFromFile,
     "sounds",
     {"SoundManager: Unable to open file walk/none.json."},
     {"SoundManager: Error while parsing JSON.", "validateJson: Missing prop: sounds.",
      "SoundManager: Missing properties in soundsfile."},
     {"SoundManager: Missing FILE property for [walk-entry]"}},
};

TEST(ManifestLinesTest, EachRegistryWritesTheWalkLinesUnderItsOwnName) {
    ScratchDir dir;
    ScopedCwd cwd(dir.path);
    for (const RegistryLines& r : registryLines) {
        SCOPED_TRACE(r.root);
        bool result = true;
        Lines lines =
            programLines(stderrLinesOf([&] { result = r.loadFromFile("walk/none.json"); }));
        EXPECT_EQ(lines, r.openFailure);
        EXPECT_FALSE(result);

        // A comment: the parse fails before the root begins. The library's description line is
        // the second one.
        writeFile("walk/comment.json", std::string("// ") + r.root);
        lines = programLines(stderrLinesOf([&] { result = r.loadFromFile("walk/comment.json"); }));
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[1], parseErrorOf(std::string("// ") + r.root));
        lines.erase(lines.begin() + 1);
        EXPECT_EQ(lines, r.missingRoot);
        EXPECT_FALSE(result);

        writeFile("walk/entry.json",
                  std::string("{\"") + r.root +
                      "\": {\"walk-entry\": {\"File\": \"x\", \"Texture\": \"x\"}}}");
        lines = programLines(stderrLinesOf([&] { result = r.loadFromFile("walk/entry.json"); }));
        EXPECT_EQ(lines, r.missingProperty);
        EXPECT_TRUE(result);
    }
}

TEST(ValidateJsonTest, ReportsOnlyTheFirstMissingName) {
    const nlohmann::json document = {{"a", 1}, {"c", nullptr}};
    bool result = true;
    auto lines = stderrLinesOf([&] { result = validateJson(document, {"a", "b", "z"}); });
    EXPECT_FALSE(result);
    EXPECT_EQ(lines, std::vector<std::string>{"validateJson: Missing prop: b."});

    // A member holding null is present.
    lines = stderrLinesOf([&] { result = validateJson(document, {"c", "a"}); });
    EXPECT_TRUE(result);
    EXPECT_TRUE(lines.empty());
}

TEST(ValidateJsonTest, EmptyListIsTrueEvenForANonObject) {
    bool result = false;
    const auto lines = stderrLinesOf([&] { result = validateJson(nlohmann::json(5), {}); });
    EXPECT_TRUE(result);
    EXPECT_TRUE(lines.empty());
}

TEST(ValidateJsonTest, NonObjectHasNoMembers) {
    bool result = true;
    const auto lines = stderrLinesOf(
        [&] { result = validateJson(nlohmann::json::array({"textures"}), {"textures"}); });
    EXPECT_FALSE(result);
    EXPECT_EQ(lines, std::vector<std::string>{"validateJson: Missing prop: textures."});
}

} // namespace
