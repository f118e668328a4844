// The one manifest walk shared by the three registries: open the file, parse it, check the root
// key, walk the entries and hand every entry that has the mandatory property to the registry's
// own entry step. Also the property readers the entry steps use.
#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// What tells one registry's manifest from another's. Every line the walk writes is built from
// these names, so the three registries cannot drift apart. Plain text constants, so a kind
// needs no construction at start-up.
struct ManifestKind {
    const char* registry;         // "TextureManager": the prefix of every line
    const char* rootKey;          // "textures": the root member holding the entries
    const char* requiredProperty; // "file": an entry without it is reported and skipped
    void (*loadEntry)(const std::string& key, const nlohmann::json& entry);
};

// True when the document is an object holding every required name; otherwise writes one line
// naming the first missing one.
bool validateJson(nlohmann::json document, std::vector<std::string> required);

// Loads the manifest at path into the registry described by kind. False when the file did not
// open or the root key is missing; true otherwise, however many entries failed.
bool loadManifest(std::string path, const ManifestKind& kind);

// An entry property holding the wrong JSON type. The entry steps raise it through the readers
// below; the walk reports it on one line and skips the entry.
struct InvalidProperty : std::runtime_error {
    InvalidProperty(std::string property, const std::string& message)
        : std::runtime_error(message), property(std::move(property)) {}
    std::string property;
};

// Converts a property's value with the JSON library's own rules, naming the property when the
// library refuses the type.
template <typename T> T convertProperty(const nlohmann::json& value, const char* property) {
    try {
        return value.get<T>();
    } catch (const nlohmann::detail::type_error& error) {
        throw InvalidProperty(property, error.what());
    }
}

// The converted property when the entry has it, else the given default. A null property is
// present, and so a type error, not the default.
template <typename T> T readProperty(const nlohmann::json& entry, const char* property, T absent) {
    return entry.contains(property) ? convertProperty<T>(entry.at(property), property) : absent;
}
