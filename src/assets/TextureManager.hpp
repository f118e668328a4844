// The process-wide registry of textures, filled from assets/textures.json at start-up.
// Textures are owned by the registry and live until the process ends.
#pragma once

#include <SFML/Graphics/Texture.hpp>
#include <string>
#include <unordered_map>

class TextureManager {
  public:
    static bool loadFromFile(std::string path);
    static bool load(std::string key, std::string file, bool repeated);
    static bool exists(std::string key);
    static sf::Texture* get(std::string key);

  private:
    static std::unordered_map<std::string, sf::Texture*> textures;
};
