// The process-wide registry of sprites cut from registered textures, filled from
// assets/sprites.json at start-up. get() hands the same sprite to every caller.
#pragma once

#include <SFML/Graphics/Sprite.hpp>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <unordered_map>

class SpriteManager {
  public:
    static bool loadFromFile(std::string path);
    static bool exists(std::string key);
    static sf::Sprite* get(std::string key);

  private:
    // Builds and registers the sprite of one manifest entry that names a texture.
    static void loadEntry(const std::string& key, const nlohmann::json& entry);

    static std::unordered_map<std::string, sf::Sprite*> sprites;
};
