// The fade overlay: the "black" sprite drawn over every frame at a variable opacity. Scenes
// start a fade by assigning fadeAlpha, fadeMode and fadeSpeed.
#pragma once

#include <SFML/Graphics.hpp>

enum class FadeMode : int { None = 0, ToBlack = 1, FromBlack = 2 };

extern float fadeAlpha;
extern float fadeSpeed;
extern FadeMode fadeMode;
extern sf::Sprite* fadeOverlay;

void updateFade(float dt);
void drawFade(sf::RenderTarget& target);
