// SCAFFOLD: replaced by the registries work.
#include "assets/TextureManager.hpp"

bool TextureManager::loadFromFile(std::string) { return false; }
bool TextureManager::load(std::string, std::string, bool) { return false; }
bool TextureManager::exists(std::string) { return false; }
sf::Texture* TextureManager::get(std::string) { return nullptr; }
