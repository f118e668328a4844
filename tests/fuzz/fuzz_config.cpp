// Fuzzes loadConfig with arbitrary bytes as config.json: whatever the file holds, the program
// writes only its known lines, and a parse error applies no setting.
#include "FuzzSupport.hpp"

#include "app/App.hpp"
#include "app/Config.hpp"

#include <cstdint>
#include <regex>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterScratchDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // loadConfig only ever writes the settings, so each input starts from the defaults.
    fullscreen = false;
    vsyncEnabled = true;
    soundMuted = false;
    writeInput("config.json", data, size);
    const std::string output = captureStderr(loadConfig);

    // Either the two parse-error lines, or one line per recognised key of the wrong type.
    static const std::regex shape(
        R"re(config\.json: Error while parsing JSON\.\n\[json\.exception\.[^\n]*\n|)re"
        R"re((config\.json: Invalid value for "(fullscreen|sound|vsync)": )re"
        R"re(\[json\.exception\.type_error\.302\] type must be boolean, but is [a-z]+\n){0,3})re");
    require(std::regex_match(output, shape), "unexpected lines from loadConfig", output);
    if (output.rfind("config.json: Error while parsing JSON.", 0) == 0) {
        require(!fullscreen && vsyncEnabled && !soundMuted, "a setting applied after a parse error",
                output);
    }
    return 0;
}
