// SCAFFOLD: replaced by the registries work.
#include "assets/SpriteManager.hpp"

bool SpriteManager::loadFromFile(std::string) { return false; }
bool SpriteManager::exists(std::string) { return false; }
sf::Sprite* SpriteManager::get(std::string) { return nullptr; }
