// The sound registry: every sound decoded once at start-up with a pool of players bound to it,
// owned for the life of the process.
#include "assets/SoundManager.hpp"

#include "app/Config.hpp"
#include "assets/Manifest.hpp"

#include <iostream>

namespace {

// The most players one sound may ask for. The pool is allocated whole at load time, and play()
// always uses the first player, so a sound needs at least one.
constexpr int maxPlayers = 256;

// "instances" is converted before "file", so a bad "instances" is the one reported.
void loadSoundEntry(const std::string& key, const nlohmann::json& entry) {
    const nlohmann::json& file = entry.at("file");
    const int instances = readProperty(entry, "instances", 1);
    SoundManager::load(key, convertProperty<std::string>(file, "file"), instances);
}

} // namespace

bool SoundManager::loadFromFile(std::string path) {
    const ManifestKind kind{"SoundManager", "sounds", "file", loadSoundEntry};
    return loadManifest(path, kind);
}

bool SoundManager::load(std::string key, std::string file, int instances) {
    if (exists(key)) {
        std::cerr << "SoundManager: Sound with key " << key << " already exists." << std::endl;
        return false;
    }
    // Checked before the file is decoded, so a refused entry costs nothing.
    if (instances < 1 || instances > maxPlayers) {
        std::cerr << "SoundManager: Invalid instances " << instances << " for [" << key << "]."
                  << std::endl;
        return false;
    }
    sf::SoundBuffer* buffer = new sf::SoundBuffer();
    if (!buffer->loadFromFile(file)) {
        std::cerr << "SoundManager: Unable to load file " << file << "." << std::endl;
        delete buffer;
        return false;
    }
    sf::Sound* players = new sf::Sound[instances];
    for (int i = 0; i < instances; ++i) {
        players[i].setBuffer(*buffer);
    }
    sounds[key] = new SoundEntry{buffer, players, instances};
    return true;
}

bool SoundManager::exists(std::string key) {
    return sounds.find(key) != sounds.end();
}

SoundEntry* SoundManager::get(std::string key) {
    const auto found = sounds.find(key);
    if (found == sounds.end()) {
        std::cerr << "SoundManager: Sound with key " << key << " does not exist." << std::endl;
        return nullptr;
    }
    return found->second;
}

void SoundManager::play(std::string key) {
    SoundEntry* entry = get(key);
    if (entry == nullptr || soundMuted) {
        return;
    }
    // Restarting the first player cuts off a sound still playing, so copies never overlap.
    entry->players[0].stop();
    entry->players[0].play();
}
