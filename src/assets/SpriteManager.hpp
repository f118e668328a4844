// The process-wide registry of sprites cut from registered textures, filled from
// assets/sprites.json at start-up. get() hands the same sprite to every caller.
#pragma once

#include <SFML/Graphics/Sprite.hpp>
#include <string>
#include <unordered_map>

class SpriteManager {
  public:
    static bool loadFromFile(std::string path);
    static bool exists(std::string key);
    static sf::Sprite* get(std::string key);

  private:
    static std::unordered_map<std::string, sf::Sprite*> sprites;
};
