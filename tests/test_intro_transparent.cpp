// The intro skips a hidden logo (alpha 0) instead of drawing it: over the whole intro, every
// frame comes out exactly as when both logos are drawn in every frame.
#include "app/Fade.hpp"
#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "scenes/IntroScene.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

namespace {

// Registers "pk1" and "pk2" on two partly transparent logos of different sizes, unless an
// earlier test of this process already did.
void registerLogos() {
    if (SpriteManager::exists("pk1") && SpriteManager::exists("pk2")) {
        return;
    }
    ScratchDir dir;
    makePng(dir / "a.png", 300, 200, 0xff8040ffu);
    makePng(dir / "b.png", 200, 300, 0x20c0e0b0u);
    writeFile(dir / "textures.json", R"({"textures": {"intro-skip-a": {"file": "a.png"},
                                                      "intro-skip-b": {"file": "b.png"}}})");
    writeFile(dir / "sprites.json",
              R"({"sprites": {"pk1": {"texture": "intro-skip-a", "autocenter": true},
                              "pk2": {"texture": "intro-skip-b", "autocenter": true}}})");
    ScopedCwd cwd(dir.path);
    TextureManager::loadFromFile("textures.json");
    SpriteManager::loadFromFile("sprites.json");
}

bool samePixels(const sf::Image& a, const sf::Image& b) {
    return a.getSize() == b.getSize() &&
           std::equal(a.getPixelsPtr(), a.getPixelsPtr() + a.getSize().x * a.getSize().y * 4,
                      b.getPixelsPtr());
}

TEST(IntroTransparentLogo, EveryFrameEqualsDrawingBothLogos) {
    registerLogos();
    ASSERT_TRUE(SpriteManager::exists("pk1") && SpriteManager::exists("pk2"));
    intro = IntroState{};
    fadeMode = FadeMode::None;
    fadeAlpha = 0.0f;
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(1920, 1080));

    int hiddenFrames = 0;
    int visibleFrames = 0;
    // Quarter-second frames walk every step of the intro, up to the frame that hands over.
    while (true) {
        target.clear(sf::Color(0, 0, 0, 0));
        if (runIntroScene(target, 0.25f) != Scene::Intro) {
            break;
        }
        target.display();
        const sf::Image skipped = target.getTexture().copyToImage();

        // Both logos drawn in their current colours, the hidden one at alpha 0 included.
        target.clear(sf::Color(0, 0, 0, 0));
        target.draw(*intro.introLogoA);
        target.draw(*intro.introLogoB);
        target.display();
        ASSERT_TRUE(samePixels(skipped, target.getTexture().copyToImage()))
            << "step " << intro.introStep;

        const bool bothHidden =
            intro.introLogoA->getColor().a == 0 && intro.introLogoB->getColor().a == 0;
        (bothHidden ? hiddenFrames : visibleFrames) += 1;
    }
    // The walk saw frames with a logo shown and frames with both hidden.
    EXPECT_GT(visibleFrames, 0);
    EXPECT_GT(hiddenFrames, 0);
    intro = IntroState{};
}

} // namespace
