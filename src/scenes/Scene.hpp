// The scene state the frame loop dispatches on. Scenes only move forwards.
#pragma once

enum class Scene : int { Intro = 0, Balls = 1, Quit = 2 };
