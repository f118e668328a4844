// Fuzzes the texture manifest loader with arbitrary bytes as the manifest. Entries may name
// "tiny.png", a real image in the working folder, so the loading path is reached too.
#include "FuzzSupport.hpp"

#include "assets/TextureManager.hpp"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterScratchDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const KnownLines known = [] {
        KnownLines lines = manifestLines("TextureManager", "textures", "FILE", "{repeated|file}");
        lines.push_back("TextureManager: Texture with key {any} already exists.");
        lines.push_back("TextureManager: Unable to load file {any}.");
        lines.insert(lines.end(), libraryLines().begin(), libraryLines().end());
        return lines;
    }();
    fuzzManifest(data, size, "TextureManager", "textures", TextureManager::loadFromFile, known);
    return 0;
}
