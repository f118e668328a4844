// The ball scene: when the balls start, how one hands over to the next, the end of the show, the
// shader's time and a scene without sprites.
#include "app/App.hpp"
#include "app/Driver.hpp"
#include "app/Fade.hpp"
#include "assets/SpriteManager.hpp"
#include "scenes/Ball.hpp"
#include "scenes/BallScene.hpp"
#include "support/ShowFixture.hpp"
#include "support/TestSupport.hpp"

#include <cmath>
#include <gtest/gtest.h>

namespace {

class BallSceneTest : public testing::Test {
  protected:
    void SetUp() override {
        loadSharedFixture();
        const ShowFixture fixture;
        const sf::Sprite* first =
            SpriteManager::exists("mirel") ? SpriteManager::get("mirel") : nullptr;
        if (first == nullptr ||
            first->getTexture()->getSize() != sf::Vector2u(fixture.ballWidth, fixture.ballHeight)) {
            GTEST_SKIP() << "another test in this process registered the show's keys first; run "
                            "this test alone, as ctest does";
        }
        resetShow();
        scene = Scene::Balls;
        ASSERT_TRUE(createFrameTarget(target));
    }

    // One frame of the show; returns its bounce log.
    std::vector<std::string> step() {
        std::vector<std::string> log;
        stderrLinesOf([&] { log = stdoutLinesOf([&] { stepFrame(target, fixedStep); }); });
        return log;
    }

    sf::RenderTexture target;
};

bool isBall(const sf::Color& colour) {
    return colour.b == 0;
}

} // namespace

TEST_F(BallSceneTest, SetUpFetchesTheBackgroundAndMakesTheBallsInLaunchOrder) {
    step();
    EXPECT_EQ(ballScene.background, SpriteManager::get("black"));
    EXPECT_EQ(fadeMode, FadeMode::FromBlack);
    EXPECT_EQ(fadeAlpha, 1.0f);
    EXPECT_EQ(fadeSpeed, 0.5f);
    ASSERT_EQ(balls.size(), ballKeys.size());
    for (std::size_t i = 0; i < ballKeys.size(); ++i) {
        EXPECT_EQ(balls[i]->sprite, SpriteManager::get(ballKeys[i])) << ballKeys[i];
    }
}

TEST_F(BallSceneTest, TheFirstBallStartsAndMovesInTheFirstFramePastFourSeconds) {
    for (int frame = 1; frame <= 240; ++frame) {
        EXPECT_TRUE(step().empty()) << "frame " << frame;
    }
    EXPECT_EQ(ballScene.ballsStarted, 0);
    EXPECT_EQ(ballScene.currentBall, -1);

    // The fixture's balls are so tall that their first update already bounces.
    EXPECT_EQ(step(), (std::vector<std::string>{"bouncing!", "yspeed is now -19.2"}));
    EXPECT_EQ(ballScene.ballsStarted, 1);
    EXPECT_EQ(ballScene.currentBall, 0);
    const Ball& ball = *balls[0];
    EXPECT_EQ(ball.x, 20.0f + fixedStep * 280.0f);
    EXPECT_EQ(ball.sprite->getPosition(), sf::Vector2f(ball.x, ball.y));
    const sf::Image frame = frameImage(target);
    EXPECT_EQ(frame.getPixel(static_cast<unsigned>(ball.x) + 50, 500), ballColour(0));
    EXPECT_FALSE(isBall(frame.getPixel(static_cast<unsigned>(ball.x) + 150, 500)));
}

// Each finished ball gives way to the next, drawn at its start in the same frame; the frame in
// which the last one finishes returns Quit and shows no ball, and one more frame ends the show.
TEST_F(BallSceneTest, BallsRunOneAfterAnotherAndTheShowEndsAfterTheLast) {
    std::size_t bounceLines = 0;
    int frame = 0;
    for (std::size_t index = 0; index < ballKeys.size(); ++index) {
        while (ballScene.currentBall == static_cast<int>(index) || ballScene.currentBall < 0) {
            ASSERT_LT(++frame, 20000) << "ball " << index << " never finished";
            bounceLines += step().size() / 2;
            if (scene == Scene::Quit) {
                break;
            }
        }
        const sf::Image picture = frameImage(target);
        const Ball& finished = *balls[index];
        EXPECT_TRUE(finished.done);
        EXPECT_EQ(bounceLines, 30 * (index + 1));
        EXPECT_NE(picture.getPixel(static_cast<unsigned>(finished.x) + 50, 500), ballColour(index))
            << "finished ball " << index << " is still drawn";
        if (index + 1 < ballKeys.size()) {
            ASSERT_EQ(ballScene.currentBall, static_cast<int>(index + 1));
            const Ball& next = *balls[index + 1];
            EXPECT_EQ(next.x, 20.0f);
            EXPECT_EQ(next.y, 180.0f);
            EXPECT_EQ(next.bouncesLeft, 30);
            EXPECT_EQ(next.sprite->getPosition(), sf::Vector2f(20.0f, 180.0f));
            EXPECT_EQ(picture.getPixel(70, 600), ballColour(index + 1));
            EXPECT_EQ(scene, Scene::Balls);
        }
    }
    EXPECT_EQ(scene, Scene::Quit);
    EXPECT_EQ(ballScene.currentBall, -1);
    EXPECT_TRUE(ballScene.allBallsDone);
    const float sceneTime = ballScene.sceneTime;
    EXPECT_FALSE(stepFrame(target, fixedStep));
    EXPECT_EQ(ballScene.sceneTime, sceneTime);
}

// iTime cannot be read back, so the fixture's shader writes it into the picture in milliseconds.
TEST_F(BallSceneTest, TheShaderTimeIsTheAccumulatedSceneTime) {
    sf::RenderTexture small;
    ASSERT_TRUE(small.create(32, 32));
    const float frameTimes[] = {1.0f / 60.0f, 1.0f / 30.0f, 0.005f, 0.0f, 0.25f};
    float accumulated = 0.0f;
    int previousMs = -1;
    for (int frame = 0; frame < 400; ++frame) {
        const float dt = frameTimes[frame % 5];
        accumulated += dt;
        small.clear();
        stderrLinesOf([&] { stdoutLinesOf([&] { runBallScene(small, dt); }); });
        small.display();
        const int ms = shaderMilliseconds(small.getTexture().copyToImage().getPixel(5, 5));
        EXPECT_EQ(ballScene.sceneTime, accumulated);
        EXPECT_NEAR(ms, std::floor(accumulated * 1000.0f + 0.5f), 1.0) << "frame " << frame;
        EXPECT_GE(ms, previousMs);
        previousMs = ms;
    }
    EXPECT_EQ(ballScene.ballsStarted, 1);
}

// Without the "black" sprite and without any ball the scene draws nothing and ends in the first
// frame past four seconds.
TEST_F(BallSceneTest, WithoutSpritesTheSceneQuitsInTheFirstFramePastFourSeconds) {
    ballScene.setup = false;
    const sf::Color cleared(1, 2, 3);
    for (int frame = 1; frame <= 241; ++frame) {
        target.clear(cleared);
        const Scene next = runBallScene(target, fixedStep);
        EXPECT_EQ(next, frame < 241 ? Scene::Balls : Scene::Quit) << "frame " << frame;
    }
    target.display();
    EXPECT_EQ(target.getTexture().copyToImage().getPixel(960, 540), cleared);
}
