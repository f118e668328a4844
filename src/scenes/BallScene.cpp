// The ball scene: the shader background fades in, then seven logos bounce one after another,
// and the show ends after the last one.
#include "scenes/BallScene.hpp"

#include "app/App.hpp"
#include "app/Fade.hpp"
#include "assets/SpriteManager.hpp"
#include "scenes/Ball.hpp"

namespace {

// Launch order of the balls.
const char* const ballKeys[] = {"mirel", "tosk", "vantor", "greets", "fennick", "grumbel", "quade"};

const float ballsStartAfter = 4.0f;

void setUpBallScene() {
    ballScene.background = SpriteManager::get("black");
    fadeAlpha = 1.0f;
    fadeMode = FadeMode::FromBlack;
    fadeSpeed = 0.5f;
    // A missing sprite has been reported by the registry and yields no ball.
    for (const char* key : ballKeys) {
        createBall(SpriteManager::get(key));
    }
    ballScene.setup = false;
}

// Moves the sequence to the next ball; past the last one the sequence is over.
void nextBall() {
    ballScene.currentBall += 1;
    if (ballScene.currentBall >= static_cast<int>(balls.size())) {
        ballScene.currentBall = -1;
        ballScene.allBallsDone = true;
    }
}

void drawBackground(sf::RenderTarget& target) {
    backgroundShader.setUniform("iTime", ballScene.sceneTime);
    if (ballScene.background != nullptr) {
        target.draw(*ballScene.background, sf::RenderStates(&backgroundShader));
    }
}

} // namespace

Scene runBallScene(sf::RenderTarget& target, float dt) {
    if (ballScene.setup) {
        setUpBallScene();
    }
    ballScene.sceneTime += dt;
    if (ballScene.ballsStarted == 0 && ballScene.sceneTime > ballsStartAfter) {
        nextBall();
        ballScene.ballsStarted = 1;
    }
    drawBackground(target);
    if (ballScene.ballsStarted == 1 && ballScene.currentBall >= 0) {
        updateBall(*balls[ballScene.currentBall], dt);
        if (balls[ballScene.currentBall]->done) {
            nextBall();
            if (ballScene.allBallsDone) {
                return Scene::Quit;
            }
        }
        // Only the moving ball is shown; after a hand-over that is the new one, at its start.
        Ball& ball = *balls[ballScene.currentBall];
        ball.sprite->setPosition(ball.x, ball.y);
        target.draw(*ball.sprite);
    }
    return ballScene.allBallsDone ? Scene::Quit : Scene::Balls;
}
