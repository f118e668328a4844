// Fuzzes the sound manifest loader with arbitrary bytes as the manifest. Entries may name
// "tiny.wav", a real sound in the working folder, so decoding and the player pools are reached.
#include "FuzzSupport.hpp"

#include "assets/SoundManager.hpp"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterScratchDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const KnownLines known = [] {
        KnownLines lines = manifestLines("SoundManager", "sounds", "FILE", "{instances|file}");
        lines.push_back("SoundManager: Sound with key {any} already exists.");
        lines.push_back("SoundManager: Unable to load file {any}.");
        lines.push_back("SoundManager: Invalid instances {int} for [{any}].");
        lines.insert(lines.end(), libraryLines().begin(), libraryLines().end());
        return lines;
    }();
    fuzzManifest(data, size, "SoundManager", "sounds", SoundManager::loadFromFile, known);
    return 0;
}
