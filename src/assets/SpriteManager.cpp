// The sprite registry: sprites cut from registered textures, created once and shared by every
// caller for the life of the process.
#include "assets/SpriteManager.hpp"

#include "assets/Manifest.hpp"
#include "assets/TextureManager.hpp"

#include <iostream>

// Every property is read and converted before the texture is looked up, except "autocenter",
// which is converted only once a texture was found.
void SpriteManager::loadEntry(const std::string& key, const nlohmann::json& entry) {
    const nlohmann::json& textureKey = entry.at("texture");
    float originX = readProperty(entry, "originX", 0.0f);
    float originY = readProperty(entry, "originY", 0.0f);
    int rectX = readProperty(entry, "rectX", 0);
    int rectY = readProperty(entry, "rectY", 0);
    int rectW = readProperty(entry, "rectW", -1);
    int rectH = readProperty(entry, "rectH", -1);
    const nlohmann::json autocenter =
        entry.contains("autocenter") ? entry.at("autocenter") : nlohmann::json(false);

    // A missing texture has been reported by the texture registry; without it there is no size
    // to read and nothing to bind, so the entry ends here.
    sf::Texture* texture = TextureManager::get(convertProperty<std::string>(textureKey, "texture"));
    if (texture == nullptr) {
        return;
    }
    const sf::Vector2u size = texture->getSize();
    if (convertProperty<bool>(autocenter, "autocenter")) {
        originX = static_cast<float>(size.x / 2);
        originY = static_cast<float>(size.y / 2);
        rectX = 0;
        rectY = 0;
        rectW = static_cast<int>(size.x);
        rectH = static_cast<int>(size.y);
    }
    // Only -1 means "full size"; every other value is used as given.
    if (rectW == -1) {
        rectW = static_cast<int>(size.x);
    }
    if (rectH == -1) {
        rectH = static_cast<int>(size.y);
    }

    if (exists(key)) {
        std::cerr << "SpriteManager: Sprite with key " << key << " already exists." << std::endl;
        return;
    }
    sf::Sprite* sprite = new sf::Sprite();
    sprite->setTexture(*texture, true);
    sprite->setTextureRect(sf::IntRect(rectX, rectY, rectW, rectH));
    sprite->setOrigin(originX, originY);
    sprites[key] = sprite;
}

bool SpriteManager::loadFromFile(std::string path) {
    const ManifestKind kind{"SpriteManager", "sprites", "texture", loadEntry};
    return loadManifest(path, kind);
}

bool SpriteManager::exists(std::string key) {
    return sprites.find(key) != sprites.end();
}

sf::Sprite* SpriteManager::get(std::string key) {
    const auto found = sprites.find(key);
    if (found == sprites.end()) {
        std::cerr << "SpriteManager: Sprite with key " << key << " does not exist." << std::endl;
        return nullptr;
    }
    return found->second;
}
