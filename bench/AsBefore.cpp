// The layers the show used to draw fully transparent.
#include "AsBefore.hpp"

#include "app/Fade.hpp"
#include "scenes/IntroScene.hpp"

void drawTransparentLayers(sf::RenderTarget& target, bool introDrew) {
    if (introDrew) {
        for (sf::Sprite* logo : {intro.introLogoA, intro.introLogoB}) {
            if (logo != nullptr && logo->getColor().a == 0) {
                target.draw(*logo);
            }
        }
    }
    if (fadeOverlay != nullptr && static_cast<sf::Uint8>(int(fadeAlpha * 255)) == 0) {
        sf::Sprite overlay = *fadeOverlay;
        overlay.setColor(sf::Color(255, 255, 255, 0));
        target.draw(overlay);
    }
}
