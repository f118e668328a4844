// The one manifest walk shared by the three registries: open the file, parse it, check the root
// key, walk the entries and hand every entry that has the mandatory property to the registry's
// own entry step. Also the property readers the entry steps use.
#pragma once

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <type_traits>
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

// True when a floating-point number, truncated towards zero, is a value of the integer type T.
template <typename T> bool fitsAfterTruncation(double number) {
    const double whole = std::trunc(number);
    return whole >= static_cast<double>(std::numeric_limits<T>::min()) &&
           whole <= static_cast<double>(std::numeric_limits<T>::max());
}

// Converts a property's value with the JSON library's own rules, naming the property when the
// library refuses the type. The library truncates a floating-point number to an integer
// without a range check, which is undefined beyond the integer's range: such a number is
// refused here like a value of the wrong type.
template <typename T> T convertProperty(const nlohmann::json& value, const char* property) {
    if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>) {
        if (value.is_number_float() && !fitsAfterTruncation<T>(value.get<double>())) {
            throw InvalidProperty(property, "number out of range: " + value.dump());
        }
    }
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
