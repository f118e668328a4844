// Advances and draws the fade overlay. The overlay is the shared "black" sprite, which the
// ball scene also draws as its background, so the draw restores the sprite's colour after use.
#include "app/Fade.hpp"

void updateFade(float dt) {
    if (fadeMode == FadeMode::ToBlack) {
        fadeAlpha += dt * fadeSpeed;
        if (fadeAlpha >= 1.0f) {
            fadeAlpha = 1.0f;
            fadeMode = FadeMode::None;
        }
    } else if (fadeMode == FadeMode::FromBlack) {
        fadeAlpha -= dt * fadeSpeed;
        if (fadeAlpha <= 0.0f) {
            fadeAlpha = 0.0f;
            fadeMode = FadeMode::None;
        }
    }
}

void drawFade(sf::RenderTarget& target) {
    const sf::Uint8 alpha = static_cast<sf::Uint8>(int(fadeAlpha * 255));
    // A fully transparent overlay leaves every pixel as it is, yet would cost a whole
    // full-screen pass, so it is not drawn at all.
    if (fadeOverlay == nullptr || alpha == 0) {
        return;
    }
    const sf::Uint8 previousAlpha = fadeOverlay->getColor().a;
    fadeOverlay->setColor(sf::Color(255, 255, 255, alpha));
    target.draw(*fadeOverlay);
    fadeOverlay->setColor(sf::Color(255, 255, 255, previousAlpha));
}
