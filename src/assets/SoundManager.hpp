// The process-wide registry of sounds, filled from assets/sounds.json at start-up. Each sound
// is decoded once and gets a pool of players; play() restarts the first player.
#pragma once

#include <SFML/Audio.hpp>
#include <string>
#include <unordered_map>

struct SoundEntry {
    sf::SoundBuffer* buffer;
    sf::Sound* players;
    int playerCount;
};

class SoundManager {
  public:
    static bool loadFromFile(std::string path);
    static bool load(std::string key, std::string file, int instances);
    static bool exists(std::string key);
    static SoundEntry* get(std::string key);
    static void play(std::string key);

  private:
    static std::unordered_map<std::string, SoundEntry*> sounds;
};
