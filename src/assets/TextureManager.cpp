// The texture registry: textures loaded once from image files and owned for the life of the
// process.
#include "assets/TextureManager.hpp"

#include "assets/Manifest.hpp"

#include <iostream>

namespace {

// "repeated" is read before "file" is converted, so a bad "repeated" is the one reported.
void loadTextureEntry(const std::string& key, const nlohmann::json& entry) {
    const nlohmann::json& file = entry.at("file");
    const bool repeated = readProperty(entry, "repeated", false);
    TextureManager::load(key, convertProperty<std::string>(file, "file"), repeated);
}

} // namespace

bool TextureManager::loadFromFile(std::string path) {
    const ManifestKind kind{"TextureManager", "textures", "file", loadTextureEntry};
    return loadManifest(path, kind);
}

bool TextureManager::load(std::string key, std::string file, bool repeated) {
    if (exists(key)) {
        std::cerr << "TextureManager: Texture with key " << key << " already exists." << std::endl;
        return false;
    }
    sf::Texture* texture = new sf::Texture();
    if (!texture->loadFromFile(file, sf::IntRect())) {
        std::cerr << "TextureManager: Unable to load file " << file << "." << std::endl;
        delete texture;
        return false;
    }
    texture->setRepeated(repeated);
    textures[key] = texture;
    return true;
}

bool TextureManager::exists(std::string key) {
    return textures.find(key) != textures.end();
}

sf::Texture* TextureManager::get(std::string key) {
    const auto found = textures.find(key);
    if (found == textures.end()) {
        std::cerr << "TextureManager: Texture with key " << key << " does not exist." << std::endl;
        return nullptr;
    }
    return found->second;
}
