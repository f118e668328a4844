// loadConfig: what each kind of config.json does to the settings, and the exact lines written.
#include "app/App.hpp"
#include "app/Config.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct ConfigCase {
    const char* name;
    std::optional<std::string> content; // nullopt: no config.json at all
    std::vector<std::string> lines;     // exact lines on standard error
    bool fullscreen;
    bool vsync;
    bool muted;
};

const std::string parseError = "config.json: Error while parsing JSON.";
const std::string emptyInput = "[json.exception.parse_error.101] parse error at line 1, column 1: "
                               "syntax error while parsing value - unexpected end of input; "
                               "expected '[', '{', or a literal";
const std::string notBoolean = "[json.exception.type_error.302] type must be boolean, but is ";

const ConfigCase configCases[] = {
    {"absent", std::nullopt, {"Config.json missing."}, false, true, false},
    {"empty", "", {parseError, emptyInput}, false, true, false},
    {"white space only",
     "  \n\t ",
     {parseError, "[json.exception.parse_error.101] parse error at "
                  "line 2, column 3: syntax error while parsing "
                  "value - unexpected end of input; expected '[', "
                  "'{', or a literal"},
     false,
     true,
     false},
    {"all switched",
     R"({"fullscreen": true, "sound": false, "vsync": false})",
     {},
     true,
     false,
     true},
    {"all at defaults",
     R"({"fullscreen": false, "sound": true, "vsync": true})",
     {},
     false,
     true,
     false},
    {"order does not matter",
     R"({"vsync": false, "sound": false, "fullscreen": true})",
     {},
     true,
     false,
     true},
    {"fullscreen alone", R"({"fullscreen": true})", {}, true, true, false},
    {"vsync alone", R"({"vsync": false})", {}, false, false, false},
    {"sound alone", R"({"sound": false})", {}, false, true, true},
    {"unknown keys ignored", R"({"volume": 3, "fullscreen": true})", {}, true, true, false},
    {"letter case matters",
     R"({"Fullscreen": true, "SOUND": false, "vSync": false})",
     {},
     false,
     true,
     false},
    {"trailing text ignored",
     "{\"fullscreen\": true}\n{\"vsync\": false} trailing",
     {},
     true,
     true,
     false},
    {"root array applies nothing",
     R"([{"fullscreen": true, "sound": false}])",
     {},
     false,
     true,
     false},
    {"root string applies nothing", R"("fullscreen")", {}, false, true, false},
    {"root null applies nothing", "null", {}, false, true, false},
    {"comment before the object",
     "// settings\n{\"fullscreen\": true}",
     {parseError, "[json.exception.parse_error.101] parse error at line 1, column 1: syntax error "
                  "while parsing value - invalid literal; last read: '/'"},
     false,
     true,
     false},
    {"cut off after a member",
     "{\"fullscreen\": true, \"vsync\": fal",
     {parseError, "[json.exception.parse_error.101] parse error at line 1, column 34: syntax "
                  "error while parsing value - invalid literal; last read: '\"vsync\": fal'"},
     false,
     true,
     false},
    {"cut off before the closing brace",
     "{\"fullscreen\": true",
     {parseError, "[json.exception.parse_error.101] parse error at line 1, column 20: syntax "
                  "error while parsing object - unexpected end of input; expected '}'"},
     false,
     true,
     false},
    {"non-boolean values reported, others applied",
     R"({"fullscreen": 1, "sound": false, "vsync": "no"})",
     {"config.json: Invalid value for \"fullscreen\": " + notBoolean + "number",
      "config.json: Invalid value for \"vsync\": " + notBoolean + "string"},
     false,
     true,
     true},
    {"null value reported",
     R"({"sound": null, "vsync": false})",
     {"config.json: Invalid value for \"sound\": " + notBoolean + "null"},
     false,
     false,
     false},
    {"object value reported",
     R"({"fullscreen": {"on": true}})",
     {"config.json: Invalid value for \"fullscreen\": " + notBoolean + "object"},
     false,
     true,
     false},
};

void PrintTo(const ConfigCase& c, std::ostream* os) {
    *os << c.name;
}

class ConfigTest : public testing::TestWithParam<ConfigCase> {};

TEST_P(ConfigTest, AppliesSettingsAndWritesExactLines) {
    const ConfigCase& c = GetParam();
    ScratchDir dir;
    if (c.content) {
        writeFile(dir / "config.json", *c.content);
    }
    ScopedCwd cwd(dir.path);
    fullscreen = false;
    vsyncEnabled = true;
    soundMuted = false;

    const auto lines = stderrLinesOf([] { loadConfig(); });

    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(fullscreen, c.fullscreen);
    EXPECT_EQ(vsyncEnabled, c.vsync);
    EXPECT_EQ(soundMuted, c.muted);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConfigTest, testing::ValuesIn(configCases),
                         [](const testing::TestParamInfo<ConfigCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p) {
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             }
                             return name;
                         });

TEST(ConfigSoundTest, TrueNeverUnmutes) {
    ScratchDir dir;
    writeFile(dir / "config.json", R"({"sound": true})");
    ScopedCwd cwd(dir.path);
    soundMuted = true;
    loadConfig();
    EXPECT_TRUE(soundMuted);
    soundMuted = false;
}

} // namespace
