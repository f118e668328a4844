// Reads config.json once, before the window exists. A missing or malformed file is reported
// and leaves every setting at its initial value; the show always goes on.
#include "app/Config.hpp"

#include "app/App.hpp"

#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>

namespace {

// Reads one recognised key into value. A value that is not a JSON boolean is reported on one
// line and leaves value untouched, so a typo in one setting never costs the others.
bool readSetting(const nlohmann::json& document, const char* key, bool& value) {
    if (!document.contains(key)) {
        return false;
    }
    try {
        value = document.at(key).get<bool>();
        return true;
    } catch (const nlohmann::detail::exception& error) {
        std::cerr << "config.json: Invalid value for \"" << key << "\": " << error.what()
                  << std::endl;
        return false;
    }
}

} // namespace

void loadConfig() {
    nlohmann::json document;
    std::ifstream file("config.json");
    if (!file.is_open()) {
        std::cerr << "Config.json missing." << std::endl;
        return;
    }
    try {
        file >> document;
    } catch (const nlohmann::detail::exception& error) {
        std::cerr << "config.json: Error while parsing JSON." << std::endl;
        std::cerr << error.what() << std::endl;
        return;
    }
    file.close();

    readSetting(document, "fullscreen", fullscreen);
    bool sound = true;
    if (readSetting(document, "sound", sound) && !sound) {
        soundMuted = true;
    }
    readSetting(document, "vsync", vsyncEnabled);
}
