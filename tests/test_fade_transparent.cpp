// The overlay at opacity 0 is not drawn: these tests show that the frame and the shared sprite
// come out exactly as if it had been drawn fully transparent, and that any visible opacity is
// still drawn and restored.
#include "app/Fade.hpp"

#include <SFML/Graphics.hpp>
#include <gtest/gtest.h>

namespace {

const unsigned width = 32;
const unsigned height = 24;

// A frame with varied colours and opacities, so that any change to a pixel shows.
struct TransparentOverlayTest : testing::Test {
    sf::RenderTexture target;
    sf::Texture picture;
    sf::Texture black;
    sf::Sprite overlay;

    void SetUp() override {
        ASSERT_TRUE(target.create(width, height));
        sf::Image image;
        image.create(width, height);
        for (unsigned y = 0; y < height; ++y) {
            for (unsigned x = 0; x < width; ++x) {
                image.setPixel(x, y,
                               sf::Color(x * 8, y * 10, (x * y) % 256, (x * 37 + y * 11) % 256));
            }
        }
        ASSERT_TRUE(picture.loadFromImage(image));
        sf::Image dark;
        dark.create(4, 4, sf::Color::Black);
        ASSERT_TRUE(black.loadFromImage(dark));
        black.setRepeated(true);
        overlay.setTexture(black);
        overlay.setTextureRect(sf::IntRect(0, 0, width, height));
        overlay.setColor(sf::Color(255, 255, 255, 77));
        fadeOverlay = &overlay;
    }

    void TearDown() override {
        fadeOverlay = nullptr;
        fadeAlpha = 0.0f;
    }

    sf::Image drawScene() {
        target.clear(sf::Color(0, 0, 0, 0));
        target.draw(sf::Sprite(picture));
        target.display();
        return target.getTexture().copyToImage();
    }

    // The overlay drawn by hand with the given alpha, as the frame loop would draw it.
    sf::Image drawSceneWithOverlayAlpha(sf::Uint8 alpha) {
        target.clear(sf::Color(0, 0, 0, 0));
        target.draw(sf::Sprite(picture));
        sf::Sprite copy = overlay;
        copy.setColor(sf::Color(255, 255, 255, alpha));
        target.draw(copy);
        target.display();
        return target.getTexture().copyToImage();
    }

    sf::Image drawSceneWithFade(float alpha) {
        target.clear(sf::Color(0, 0, 0, 0));
        target.draw(sf::Sprite(picture));
        fadeAlpha = alpha;
        drawFade(target);
        target.display();
        return target.getTexture().copyToImage();
    }
};

bool samePixels(const sf::Image& a, const sf::Image& b) {
    return a.getSize() == b.getSize() &&
           std::equal(a.getPixelsPtr(), a.getPixelsPtr() + a.getSize().x * a.getSize().y * 4,
                      b.getPixelsPtr());
}

TEST_F(TransparentOverlayTest, TransparentOverlayLeavesFrameAndSpriteAsDrawingItWould) {
    const sf::Image scene = drawScene();
    // Drawing the overlay fully transparent changes nothing, so not drawing it is invisible.
    ASSERT_TRUE(samePixels(scene, drawSceneWithOverlayAlpha(0)));

    // Every opacity whose byte is 0: exactly 0, and a small value that truncates to 0.
    for (float alpha : {0.0f, 0.0039f}) {
        SCOPED_TRACE(alpha);
        EXPECT_TRUE(samePixels(scene, drawSceneWithFade(alpha)));
        EXPECT_EQ(overlay.getColor(), sf::Color(255, 255, 255, 77));
        EXPECT_EQ(overlay.getTexture(), &black);
        EXPECT_EQ(overlay.getTextureRect(), sf::IntRect(0, 0, width, height));
    }
}

TEST_F(TransparentOverlayTest, VisibleOverlayIsDrawnAndSpriteColourRestored) {
    const sf::Image scene = drawScene();
    for (float alpha : {0.004f, 0.5f, 1.0f}) {
        SCOPED_TRACE(alpha);
        const sf::Image faded = drawSceneWithFade(alpha);
        EXPECT_FALSE(samePixels(scene, faded));
        EXPECT_TRUE(samePixels(drawSceneWithOverlayAlpha(sf::Uint8(int(alpha * 255))), faded));
        EXPECT_EQ(overlay.getColor(), sf::Color(255, 255, 255, 77));
    }
}

} // namespace
