// The ball scene: the shader background fades in, then seven logos bounce one after another.
#pragma once

#include "scenes/Scene.hpp"

#include <SFML/Graphics.hpp>

struct BallSceneState {
    bool setup = true;
    sf::Sprite* background = nullptr;
    float sceneTime = 0.0f;
    int ballsStarted = 0;
    int currentBall = -1;
    bool allBallsDone = false;
};

extern BallSceneState ballScene;

Scene runBallScene(sf::RenderTarget& target, float dt);
