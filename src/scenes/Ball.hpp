// A logo sprite bouncing under fixed-step gravity off the floor and the side walls.
#pragma once

#include <SFML/Graphics/Sprite.hpp>
#include <vector>

struct Ball {
    float x;
    float y;
    float xspeed;
    float yspeed;
    sf::Sprite* sprite;
    int width;
    int height;
    int bouncesLeft;
    bool done;
};

// Every ball created, in creation order. The records live until the process ends.
extern std::vector<Ball*> balls;

Ball* createBall(sf::Sprite* sprite);
void updateBall(Ball& ball, float dt);
