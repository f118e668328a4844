// The intro: its step timeline at 60 frames per second, its pictures, and how it treats large
// frame times and missing logos.
#include "app/App.hpp"
#include "app/Driver.hpp"
#include "app/Fade.hpp"
#include "scenes/IntroScene.hpp"
#include "support/ShowFixture.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>
#include <map>

namespace {

const sf::Color black(0, 0, 0);

class Intro : public testing::Test {
  protected:
    void SetUp() override {
        loadSharedFixture();
        resetShow();
        ASSERT_TRUE(createFrameTarget(target));
    }

    // Runs whole frames of the show until the frame numbered `last`.
    void runUntil(int last) {
        for (; frame < last; ++frame) {
            stepFrame(target, fixedStep);
        }
    }

    sf::Color pixel(unsigned x, unsigned y) { return frameImage(target).getPixel(x, y); }

    // A window pixel of the logo drawn fully shown, alone, on black.
    static sf::Color shownAlone(sf::Sprite* logo, unsigned x, unsigned y) {
        sf::RenderTexture reference;
        reference.create(1920, 1080);
        reference.clear(sf::Color::Black);
        const sf::Color colour = logo->getColor();
        logo->setColor(sf::Color::White);
        reference.draw(*logo);
        logo->setColor(colour);
        reference.display();
        return reference.getTexture().copyToImage().getPixel(x, y);
    }

    sf::RenderTexture target;
    int frame = 0;
};

} // namespace

// 1.5 s before the first step, then 4, 1, 4 and 1 s: at 60 frames per second each wait ends on
// the first frame past it (91, 241, 61, 241 and 61 frames).
TEST_F(Intro, StepsFireOnTheFirstFramePastEachWait) {
    struct Fired {
        int frame;
        float fadeAlpha;
        FadeMode fadeMode;
        sf::Uint8 alphaA, alphaB;
    };
    const std::map<int, Fired> expected = {
        {1, {91, 1.0f, FadeMode::FromBlack, 255, 0}},
        {2, {332, 0.0f, FadeMode::ToBlack, 255, 0}},
        {3, {393, 1.0f, FadeMode::FromBlack, 0, 255}},
        {4, {634, 0.0f, FadeMode::ToBlack, 0, 255}},
    };
    int ballsFrame = 0;
    for (int frame = 1; frame <= 800 && ballsFrame == 0; ++frame) {
        const int stepBefore = intro.introStep;
        stepFrame(target, fixedStep);
        if (scene == Scene::Balls) {
            ballsFrame = frame;
            EXPECT_EQ(intro.introStep, 4);
        } else if (intro.introStep != stepBefore) {
            ASSERT_EQ(intro.introStep, stepBefore + 1) << "frame " << frame;
            const Fired& fired = expected.at(intro.introStep);
            EXPECT_EQ(frame, fired.frame) << "step " << stepBefore;
            EXPECT_EQ(intro.stepTimer, 0.0f);
            EXPECT_EQ(fadeAlpha, fired.fadeAlpha) << "step " << stepBefore;
            EXPECT_EQ(fadeMode, fired.fadeMode) << "step " << stepBefore;
            EXPECT_EQ(fadeSpeed, 1.0f);
            EXPECT_EQ(intro.introLogoA->getColor(), sf::Color(255, 255, 255, fired.alphaA));
            EXPECT_EQ(intro.introLogoB->getColor(), sf::Color(255, 255, 255, fired.alphaB));
        }
    }
    EXPECT_EQ(intro.introStep, 4);
    EXPECT_EQ(ballsFrame, 695);
}

// Another test of this process may have registered other logos first, so the pictures are
// compared with each logo drawn alone, fully shown, on black.
TEST_F(Intro, ShowsBlackThenTheFirstLogoThenBlackThenTheSecondLogo) {
    runUntil(60);
    EXPECT_EQ(pixel(960, 540), black);

    runUntil(240);
    const sf::FloatRect boundsA = intro.introLogoA->getGlobalBounds();
    EXPECT_TRUE(boundsA.contains(960.0f, 540.0f));
    const unsigned left = static_cast<unsigned>(boundsA.left);
    const unsigned top = static_cast<unsigned>(boundsA.top);
    const unsigned right = left + static_cast<unsigned>(boundsA.width) - 1;
    const unsigned bottom = top + static_cast<unsigned>(boundsA.height) - 1;
    const sf::Color centreA = shownAlone(intro.introLogoA, 960, 540);
    EXPECT_NE(centreA, black);
    EXPECT_EQ(pixel(960, 540), centreA);
    EXPECT_EQ(pixel(left, top), shownAlone(intro.introLogoA, left, top));
    EXPECT_EQ(pixel(right, bottom), shownAlone(intro.introLogoA, right, bottom));
    EXPECT_EQ(pixel(left - 1, 540), black);
    EXPECT_EQ(pixel(right + 1, 540), black);
    EXPECT_EQ(pixel(960, top - 1), black);
    EXPECT_EQ(pixel(960, bottom + 1), black);

    runUntil(393); // the first logo has faded out
    EXPECT_EQ(pixel(960, 540), black);

    runUntil(540);
    const sf::Color centreB = shownAlone(intro.introLogoB, 960, 540);
    EXPECT_NE(centreB, black);
    EXPECT_EQ(pixel(960, 540), centreB);
}

TEST_F(Intro, ALargeFrameTimeAdvancesOneStepAndTheNextStepStartsFromZero) {
    for (int step = 1; step <= 4; ++step) {
        EXPECT_EQ(runIntroScene(target, 100.0f), Scene::Intro);
        EXPECT_EQ(intro.introStep, step);
        EXPECT_EQ(intro.stepTimer, 0.0f);
    }
    EXPECT_EQ(runIntroScene(target, 100.0f), Scene::Balls);
}

// In step 4 the second logo is still opaque under the overlay; the frame that hands over to the
// ball scene must not draw it.
TEST_F(Intro, TheFrameThatReturnsBallsDrawsNoLogo) {
    for (int step = 0; step < 4; ++step) {
        runIntroScene(target, 100.0f);
    }
    const sf::Color cleared(0, 0, 255);
    target.clear(cleared);
    EXPECT_EQ(runIntroScene(target, 0.5f), Scene::Intro);
    target.display();
    EXPECT_NE(pixel(960, 540), cleared);

    target.clear(cleared);
    EXPECT_EQ(runIntroScene(target, 0.6f), Scene::Balls);
    target.display();
    EXPECT_EQ(pixel(960, 540), cleared);
}

// A logo the registry did not have is skipped; the other one and the timing are unchanged.
TEST_F(Intro, AMissingLogoIsSkippedWithoutChangingTheTiming) {
    std::vector<int> stepFrames;
    for (int frame = 1; frame <= 800 && scene == Scene::Intro; ++frame) {
        const int stepBefore = intro.introStep;
        stepFrame(target, fixedStep);
        if (frame == 1) {
            intro.introLogoA = nullptr;
        }
        if (intro.introStep != stepBefore || scene != Scene::Intro) {
            stepFrames.push_back(frame);
        }
        if (frame == 240) {
            EXPECT_EQ(pixel(960, 540), black);
        }
        if (frame == 540) {
            EXPECT_NE(pixel(960, 540), black);
        }
    }
    EXPECT_EQ(stepFrames, (std::vector<int>{91, 332, 393, 634, 695}));
}
