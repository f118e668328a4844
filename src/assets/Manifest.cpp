// The manifest walk shared by the texture, sprite and sound registries.
#include "assets/Manifest.hpp"

#include <cctype>
#include <fstream>
#include <iostream>

bool validateJson(nlohmann::json document, std::vector<std::string> required) {
    for (const std::string& name : required) {
        if (!document.is_object() || !document.contains(name)) {
            std::cerr << "validateJson: Missing prop: " << name << "." << std::endl;
            return false;
        }
    }
    return true;
}

namespace {

// "file" is reported as FILE, "texture" as TEXTURE.
std::string upperCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// Hands one entry to the registry's step. A property of the wrong type costs only its entry.
void loadEntry(const ManifestKind& kind, const std::string& key, const nlohmann::json& entry) {
    if (!entry.contains(kind.requiredProperty)) {
        std::cerr << kind.registry << ": Missing " << upperCase(kind.requiredProperty)
                  << " property for [" << key << "]" << std::endl;
        return;
    }
    try {
        kind.loadEntry(key, entry);
    } catch (const InvalidProperty& invalid) {
        std::cerr << kind.registry << ": Invalid " << invalid.property << " for [" << key
                  << "]: " << invalid.what() << std::endl;
    }
}

} // namespace

bool loadManifest(std::string path, const ManifestKind& kind) {
    std::ifstream file(path);
    if (!file.is_open()) {
        std::cerr << kind.registry << ": Unable to open file " << path << "." << std::endl;
        return false;
    }
    nlohmann::json document;
    try {
        file >> document;
    } catch (const nlohmann::detail::exception& error) {
        // The library fills the document as it reads and throws before discarding it, so the
        // entries read before the error are still loaded below.
        std::cerr << kind.registry << ": Error while parsing JSON." << std::endl;
        std::cerr << error.what() << std::endl;
    }
    file.close();

    if (!validateJson(document, {kind.rootKey})) {
        std::cerr << kind.registry << ": Missing properties in " << kind.rootKey << "file."
                  << std::endl;
        return false;
    }
    // Objects are visited in ascending key order, arrays by index ("0", "1", ...), a single
    // value once under the empty key, null not at all: the library's own iteration.
    for (const auto& item : document.at(kind.rootKey).items()) {
        const std::string key = item.key();
        loadEntry(kind, key, item.value());
    }
    return true;
}
