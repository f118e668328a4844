// The bouncing ball: fixed-step gravity, floor and wall bounces, the bounce log and a sound per
// impact.
#include "assets/SoundManager.hpp"
#include "scenes/Ball.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Graphics.hpp>
#include <gtest/gtest.h>
#include <sstream>

namespace {

const float frameTime = 1.0f / 60.0f;
const std::string missingBounceLine = "SoundManager: Sound with key bounce does not exist.";

// Like the registry's sprites, these live until the process ends.
sf::Sprite* spriteOfSize(unsigned width, unsigned height) {
    sf::Texture* texture = new sf::Texture();
    if (!texture->create(width, height)) {
        throw std::runtime_error("cannot create a texture");
    }
    return new sf::Sprite(*texture);
}

std::string printed(float value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

} // namespace

TEST(Ball, CreateBallStartsAtTheUpperLeftWithTheSizeOfTheWholeTexture) {
    sf::Sprite* sprite = spriteOfSize(300, 200);
    sprite->setTextureRect(sf::IntRect(10, 10, 50, 40));
    sprite->setOrigin(25.0f, 20.0f);
    const std::size_t before = balls.size();

    Ball* ball = createBall(sprite);

    ASSERT_NE(ball, nullptr);
    ASSERT_EQ(balls.size(), before + 1);
    EXPECT_EQ(balls.back(), ball);
    EXPECT_EQ(ball->x, 20.0f);
    EXPECT_EQ(ball->y, 180.0f);
    EXPECT_EQ(ball->xspeed, 280.0f);
    EXPECT_EQ(ball->yspeed, 0.0f);
    EXPECT_EQ(ball->sprite, sprite);
    EXPECT_EQ(ball->width, 300);
    EXPECT_EQ(ball->height, 200);
    EXPECT_EQ(ball->bouncesLeft, 30);
    EXPECT_FALSE(ball->done);
}

TEST(Ball, CreateBallMakesNothingWithoutASpriteOrItsTexture) {
    sf::Sprite withoutTexture;
    const std::size_t before = balls.size();
    EXPECT_EQ(createBall(nullptr), nullptr);
    EXPECT_EQ(createBall(&withoutTexture), nullptr);
    EXPECT_EQ(balls.size(), before);
}

// The worked case: a 200 x 200 ball at 60 frames per second.
TEST(Ball, TwoHundredPixelBallBouncesThirtyTimesAndIsDoneOnCall879) {
    Ball& ball = *createBall(spriteOfSize(200, 200));
    std::vector<int> bounceCalls;
    std::vector<float> speeds;
    int calls = 0;
    std::vector<std::string> log;
    stderrLinesOf([&] {
        log = stdoutLinesOf([&] {
            while (!ball.done && calls < 2000) {
                const int bouncesBefore = ball.bouncesLeft;
                updateBall(ball, frameTime);
                ++calls;
                if (ball.bouncesLeft != bouncesBefore) {
                    bounceCalls.push_back(calls);
                    speeds.push_back(ball.yspeed);
                    EXPECT_EQ(ball.y + static_cast<float>(ball.height), 1070.0f)
                        << "after the bounce on call " << calls;
                }
            }
        });
    });

    EXPECT_EQ(calls, 879);
    ASSERT_EQ(bounceCalls.size(), 30u);
    EXPECT_EQ(bounceCalls.front(), 60);
    EXPECT_EQ(bounceCalls.back(), 879);
    std::vector<int> gaps;
    for (std::size_t i = 1; i < bounceCalls.size(); ++i) {
        gaps.push_back(bounceCalls[i] - bounceCalls[i - 1]);
    }
    EXPECT_EQ(gaps[0], 98);
    EXPECT_EQ(gaps[1], 82);
    EXPECT_EQ(gaps[2], 69);
    for (std::size_t i = 1; i < gaps.size(); ++i) {
        EXPECT_LE(gaps[i], gaps[i - 1]) << "gap " << i;
    }
    // From the 16th bounce on, the next comes 15 calls later.
    for (std::size_t i = 15; i < gaps.size(); ++i) {
        EXPECT_EQ(gaps[i], 15) << "gap after bounce " << i + 1;
    }

    ASSERT_EQ(log.size(), 60u);
    EXPECT_EQ(log[1], "yspeed is now -1152");
    for (std::size_t i = 0; i < speeds.size(); ++i) {
        EXPECT_EQ(log[2 * i], "bouncing!");
        EXPECT_EQ(log[2 * i + 1], "yspeed is now " + printed(speeds[i]));
    }
}

TEST(Ball, GravityIsAddedOncePerCallEvenWithoutTime) {
    Ball& ball = *createBall(spriteOfSize(200, 200));
    for (int call = 1; call <= 5; ++call) {
        updateBall(ball, 0.0f);
        EXPECT_EQ(ball.yspeed, 24.0f * call);
    }
    EXPECT_EQ(ball.x, 20.0f);
    EXPECT_EQ(ball.y, 180.0f);
    EXPECT_EQ(ball.bouncesLeft, 30);
}

TEST(Ball, FirstWallBounceIsAgainstTheRightWallAndTheNextAgainstTheLeft) {
    Ball& ball = *createBall(spriteOfSize(200, 200));
    float lastX = ball.x;
    stderrLinesOf([&] {
        stdoutLinesOf([&] {
            while (ball.xspeed > 0.0f && !ball.done) {
                lastX = ball.x;
                updateBall(ball, frameTime);
            }
        });
    });
    EXPECT_EQ(ball.xspeed, -280.0f);
    EXPECT_EQ(ball.x, 1710.0f);
    EXPECT_GT(lastX + frameTime * 280.0f + 200.0f, 1910.0f);

    stderrLinesOf([&] {
        stdoutLinesOf([&] {
            while (ball.xspeed < 0.0f && !ball.done) {
                updateBall(ball, frameTime);
            }
        });
    });
    EXPECT_EQ(ball.xspeed, 280.0f);
    EXPECT_EQ(ball.x, 10.0f);
}

namespace {

// Touching a limit exactly does not bounce; each row is one call with dt = 0.
struct LimitCase {
    const char* name;
    float x, y, xspeed;
    float expectedX, expectedY, expectedXspeed;
    bool floorBounce;
    std::size_t impacts;
};
const LimitCase limitCases[] = {
    {"touching the floor", 20.0f, 870.0f, 280.0f, 20.0f, 870.0f, 280.0f, false, 0},
    {"past the floor", 20.0f, 870.5f, 280.0f, 20.0f, 870.0f, 280.0f, true, 1},
    {"touching the right wall", 1710.0f, 180.0f, 280.0f, 1710.0f, 180.0f, 280.0f, false, 0},
    {"past the right wall", 1710.5f, 180.0f, 280.0f, 1710.0f, 180.0f, -280.0f, false, 1},
    {"touching the left wall", 10.0f, 180.0f, -280.0f, 10.0f, 180.0f, -280.0f, false, 0},
    {"past the left wall", 9.5f, 180.0f, -280.0f, 10.0f, 180.0f, 280.0f, false, 1},
    {"floor and wall at once", 1710.5f, 870.5f, 280.0f, 1710.0f, 870.0f, -280.0f, true, 2},
};

Ball ballFor(const LimitCase& c) {
    return Ball{c.x, c.y, c.xspeed, 0.0f, nullptr, 200, 200, 30, false};
}

} // namespace

TEST(Ball, LimitsAreStrict) {
    for (const LimitCase& c : limitCases) {
        Ball ball = ballFor(c);
        std::vector<std::string> log;
        stderrLinesOf([&] { log = stdoutLinesOf([&] { updateBall(ball, 0.0f); }); });
        EXPECT_EQ(ball.x, c.expectedX) << c.name;
        EXPECT_EQ(ball.y, c.expectedY) << c.name;
        EXPECT_EQ(ball.xspeed, c.expectedXspeed) << c.name;
        EXPECT_EQ(ball.yspeed, c.floorBounce ? -19.2f : 24.0f) << c.name;
        EXPECT_EQ(ball.bouncesLeft, c.floorBounce ? 29 : 30) << c.name;
        const std::vector<std::string> expectedLog =
            c.floorBounce ? std::vector<std::string>{"bouncing!", "yspeed is now -19.2"}
                          : std::vector<std::string>{};
        EXPECT_EQ(log, expectedLog) << c.name;
    }
}

// Every impact sounds "bounce" once: with no such sound registered, the registry reports each
// attempt.
TEST(Ball, EveryImpactPlaysTheBounceSound) {
    if (SoundManager::exists("bounce")) {
        GTEST_SKIP() << "another test in this process registered \"bounce\"; run this test "
                        "alone, as ctest does";
    }
    for (const LimitCase& c : limitCases) {
        Ball ball = ballFor(c);
        std::vector<std::string> errors;
        stdoutLinesOf([&] { errors = stderrLinesOf([&] { updateBall(ball, 0.0f); }); });
        EXPECT_EQ(errors, std::vector<std::string>(c.impacts, missingBounceLine)) << c.name;
    }
}

TEST(Ball, TheThirtiethFloorBounceFinishesTheBall) {
    for (const int left : {2, 1}) {
        Ball ball{20.0f, 870.5f, 280.0f, 0.0f, nullptr, 200, 200, left, false};
        stderrLinesOf([&] { stdoutLinesOf([&] { updateBall(ball, 0.0f); }); });
        EXPECT_EQ(ball.bouncesLeft, left - 1);
        EXPECT_EQ(ball.done, left == 1);
    }
}

// 9 * 0.8 taken in float is one step above the float nearest to 7.2; in double it rounds to it.
TEST(Ball, TheFloorDampingIsTakenInDoublePrecision) {
    Ball ball{20.0f, 870.5f, 280.0f, -15.0f, nullptr, 200, 200, 30, false};
    stderrLinesOf([&] { stdoutLinesOf([&] { updateBall(ball, 0.0f); }); });
    EXPECT_EQ(ball.yspeed, -7.2f);
}
