// Fuzzes the sprite manifest loader with arbitrary bytes as the manifest, over one registered
// texture, "tiny" (2 x 2 pixels), so that entries naming it build real sprites.
#include "FuzzSupport.hpp"

#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterScratchDir();
    if (!TextureManager::load("tiny", "tiny.png", false)) {
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const KnownLines known = [] {
        KnownLines lines = manifestLines("SpriteManager", "sprites", "TEXTURE",
                                         "{texture|originX|originY|rectX|rectY|rectW|rectH|"
                                         "autocenter}");
        lines.push_back("SpriteManager: Sprite with key {any} already exists.");
        lines.push_back("TextureManager: Texture with key {any} does not exist.");
        return lines;
    }();
    fuzzManifest(data, size, "SpriteManager", "sprites", SpriteManager::loadFromFile, known);
    return 0;
}
