// The one manifest walk shared by the three registries.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

bool validateJson(nlohmann::json document, std::vector<std::string> required);
