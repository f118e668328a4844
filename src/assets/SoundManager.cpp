// SCAFFOLD: replaced by the registries work.
#include "assets/SoundManager.hpp"

bool SoundManager::loadFromFile(std::string) { return false; }
bool SoundManager::load(std::string, std::string, int) { return false; }
bool SoundManager::exists(std::string) { return false; }
SoundEntry* SoundManager::get(std::string) { return nullptr; }
void SoundManager::play(std::string) {}
