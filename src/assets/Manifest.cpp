// SCAFFOLD: replaced by the registries work.
#include "assets/Manifest.hpp"

bool validateJson(nlohmann::json, std::vector<std::string>) {
    return false;
}
