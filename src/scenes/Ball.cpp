// A logo sprite bouncing under fixed-step gravity off the floor and the side walls, with a sound
// at every impact and a pair of log lines on standard output at every floor bounce.
#include "scenes/Ball.hpp"

#include "assets/SoundManager.hpp"

#include <SFML/Graphics/Texture.hpp>
#include <iostream>

namespace {

// The play field, in window pixels.
const int floorLine = 1070;
const int rightWall = 1910;
const float leftWall = 10.0f;

const float gravityStep = 24.0f;
const int floorBounces = 30;

void bounceOffFloor(Ball& ball) {
    SoundManager::play("bounce");
    // The damping product is taken in double precision; the stored speed stays a float.
    ball.yspeed = -static_cast<float>(static_cast<double>(ball.yspeed) * 0.8);
    ball.bouncesLeft -= 1;
    // Back on the floor line exactly, so the bounces never die away.
    ball.y = static_cast<float>(floorLine - ball.height);
    std::cout << "bouncing!" << std::endl;
    std::cout << "yspeed is now " << ball.yspeed << std::endl;
    if (ball.bouncesLeft <= 0) {
        ball.done = true;
    }
}

void bounceOffWalls(Ball& ball) {
    if (static_cast<float>(ball.width) + ball.x > static_cast<float>(rightWall)) {
        SoundManager::play("bounce");
        ball.xspeed = -ball.xspeed;
        ball.x = static_cast<float>(rightWall - ball.width);
    } else if (ball.x < leftWall) {
        SoundManager::play("bounce");
        ball.x = leftWall;
        ball.xspeed = -ball.xspeed;
    }
}

} // namespace

Ball* createBall(sf::Sprite* sprite) {
    // A ball takes its size from the sprite's whole texture, so without one there is no ball.
    if (sprite == nullptr || sprite->getTexture() == nullptr) {
        return nullptr;
    }
    const sf::Vector2u size = sprite->getTexture()->getSize();
    Ball* ball = new Ball{20.0f,
                          180.0f,
                          280.0f,
                          0.0f,
                          sprite,
                          static_cast<int>(size.x),
                          static_cast<int>(size.y),
                          floorBounces,
                          false};
    balls.push_back(ball);
    return ball;
}

void updateBall(Ball& ball, float dt) {
    ball.x = ball.x + dt * ball.xspeed;
    // Gravity is one fixed step per frame whatever dt is; the ball moves with the speed the
    // frame began with.
    const float startSpeed = ball.yspeed;
    ball.yspeed = startSpeed + gravityStep;
    ball.y = ball.y + startSpeed * dt;
    if (static_cast<float>(ball.height) + ball.y > static_cast<float>(floorLine)) {
        bounceOffFloor(ball);
    }
    bounceOffWalls(ball);
}
