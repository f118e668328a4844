// The intro: two logos, each revealed from black and faded back, then the ball scene. A small
// step machine on a timer; the fading itself is done by the overlay.
#include "scenes/IntroScene.hpp"

#include "app/Fade.hpp"
#include "assets/SpriteManager.hpp"

namespace {

// A missing logo has been reported by the registry; the steps then skip it.
void setAlpha(sf::Sprite* logo, sf::Uint8 alpha) {
    if (logo != nullptr) {
        logo->setColor(sf::Color(255, 255, 255, alpha));
    }
}

// A hidden logo, at alpha 0, would change no pixel yet cost a full-screen pass, so it is not
// drawn at all.
void drawLogo(sf::RenderTarget& target, sf::Sprite* logo) {
    if (logo != nullptr && logo->getColor().a != 0) {
        target.draw(*logo);
    }
}

sf::Sprite* fetchLogo(const char* key) {
    sf::Sprite* logo = SpriteManager::get(key);
    if (logo != nullptr) {
        logo->setPosition(960.0f, 540.0f);
    }
    return logo;
}

void startFade(float alpha, FadeMode mode) {
    fadeAlpha = alpha;
    fadeMode = mode;
    fadeSpeed = 1.0f;
}

void setUpIntro() {
    intro.introLogoA = fetchLogo("pk1");
    intro.introLogoB = fetchLogo("pk2");
    setAlpha(intro.introLogoA, 0);
    setAlpha(intro.introLogoB, 0);
    intro.setup = false;
}

// Moves to the next step; the new step's timer starts from zero however far the old one ran.
void nextStep() {
    intro.introStep += 1;
    intro.stepTimer = 0.0f;
}

} // namespace

Scene runIntroScene(sf::RenderTarget& target, float dt) {
    if (intro.setup) {
        setUpIntro();
    }
    intro.stepTimer += dt;
    switch (intro.introStep) {
    case 0:
        if (intro.stepTimer > 1.5f) {
            setAlpha(intro.introLogoA, 255);
            startFade(1.0f, FadeMode::FromBlack);
            nextStep();
        }
        break;
    case 1:
        if (intro.stepTimer > 4.0f) {
            startFade(0.0f, FadeMode::ToBlack);
            nextStep();
        }
        break;
    case 2:
        if (intro.stepTimer > 1.0f) {
            setAlpha(intro.introLogoA, 0);
            setAlpha(intro.introLogoB, 255);
            startFade(1.0f, FadeMode::FromBlack);
            nextStep();
        }
        break;
    case 3:
        if (intro.stepTimer > 4.0f) {
            startFade(0.0f, FadeMode::ToBlack);
            nextStep();
        }
        break;
    default:
        if (intro.stepTimer > 1.0f) {
            return Scene::Balls;
        }
        break;
    }
    // Logo A, then logo B; a hidden one is skipped, which leaves the frame as drawing it would.
    drawLogo(target, intro.introLogoA);
    drawLogo(target, intro.introLogoB);
    return Scene::Intro;
}
