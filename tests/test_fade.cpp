// The fade overlay: how a fade advances and ends, and what drawing it does to the frame and to
// the shared "black" sprite.
#include "app/Fade.hpp"

#include <gtest/gtest.h>

namespace {

struct FadeCase {
    const char* name;
    FadeMode mode;
    float alpha;
    float speed;
    std::vector<float> frames;
    float expectedAlpha;
    FadeMode expectedMode;
};

const FadeCase fadeCases[] = {
    {"from black over one second",
     FadeMode::FromBlack,
     1.0f,
     1.0f,
     {0.25f, 0.25f, 0.25f, 0.25f},
     0.0f,
     FadeMode::None},
    {"to black over one second", FadeMode::ToBlack, 0.0f, 1.0f, {0.5f, 0.5f}, 1.0f, FadeMode::None},
    {"half speed takes two seconds",
     FadeMode::FromBlack,
     1.0f,
     0.5f,
     {0.5f, 0.5f, 0.5f},
     0.25f,
     FadeMode::FromBlack},
    {"one large step clamps to zero",
     FadeMode::FromBlack,
     0.9f,
     1.0f,
     {7.0f},
     0.0f,
     FadeMode::None},
    {"one large step clamps to one", FadeMode::ToBlack, 0.1f, 1.0f, {3.5f}, 1.0f, FadeMode::None},
    {"no mode keeps the opacity", FadeMode::None, 0.7f, 1.0f, {0.5f, 2.0f}, 0.7f, FadeMode::None},
    {"zero dt changes nothing", FadeMode::ToBlack, 0.3f, 1.0f, {0.0f}, 0.3f, FadeMode::ToBlack},
};

void PrintTo(const FadeCase& c, std::ostream* os) {
    *os << c.name;
}

class FadeUpdateTest : public testing::TestWithParam<FadeCase> {};

TEST_P(FadeUpdateTest, AdvancesAndEndsAtItsLimit) {
    const FadeCase& c = GetParam();
    fadeMode = c.mode;
    fadeAlpha = c.alpha;
    fadeSpeed = c.speed;
    for (float dt : c.frames) {
        updateFade(dt);
    }
    EXPECT_EQ(fadeAlpha, c.expectedAlpha);
    EXPECT_EQ(fadeMode, c.expectedMode);
}

INSTANTIATE_TEST_SUITE_P(Cases, FadeUpdateTest, testing::ValuesIn(fadeCases));

TEST(FadeTimingTest, SixtyFramesOfASixtiethEndTheFadeWithinOneMoreFrame) {
    fadeMode = FadeMode::FromBlack;
    fadeAlpha = 1.0f;
    fadeSpeed = 1.0f;
    int frames = 0;
    while (fadeMode != FadeMode::None && frames < 100) {
        updateFade(1.0f / 60.0f);
        ++frames;
    }
    EXPECT_GE(frames, 60);
    EXPECT_LE(frames, 61);
    EXPECT_EQ(fadeAlpha, 0.0f);
}

// Draws the overlay over a white frame and returns the red channel of the result: 255 minus
// the overlay's alpha byte, since the overlay is black.
struct OverlayFixture : testing::Test {
    void SetUp() override {
        sf::Image pixel;
        pixel.create(2, 2, sf::Color::Black);
        ASSERT_TRUE(texture.loadFromImage(pixel));
        texture.setRepeated(true);
        sprite.setTexture(texture, true);
        sprite.setTextureRect(sf::IntRect(0, 0, 16, 16));
        ASSERT_TRUE(target.create(16, 16));
        fadeOverlay = &sprite;
        fadeMode = FadeMode::None;
    }
    void TearDown() override { fadeOverlay = nullptr; }

    sf::Uint8 drawOverWhite(float alpha) {
        fadeAlpha = alpha;
        target.clear(sf::Color::White);
        drawFade(target);
        target.display();
        return target.getTexture().copyToImage().getPixel(8, 8).r;
    }

    sf::Texture texture;
    sf::Sprite sprite;
    sf::RenderTexture target;
};

TEST_F(OverlayFixture, OpacityIsTheTruncatedAlphaByte) {
    EXPECT_EQ(drawOverWhite(1.0f), 0);
    EXPECT_EQ(drawOverWhite(0.0f), 255);
    EXPECT_EQ(drawOverWhite(0.5f), 255 - 127);
    EXPECT_EQ(drawOverWhite(0.999f), 255 - 254);
}

TEST_F(OverlayFixture, RestoresTheSpritesColourAfterEveryDraw) {
    for (sf::Uint8 before : {sf::Uint8(255), sf::Uint8(77), sf::Uint8(0)}) {
        sprite.setColor(sf::Color(255, 255, 255, before));
        for (float alpha : {0.0f, 0.4f, 1.0f}) {
            drawOverWhite(alpha);
            EXPECT_EQ(sprite.getColor(), sf::Color(255, 255, 255, before));
        }
    }
}

TEST_F(OverlayFixture, MissingOverlayDrawsNothing) {
    fadeOverlay = nullptr;
    EXPECT_EQ(drawOverWhite(1.0f), 255);
}

} // namespace
