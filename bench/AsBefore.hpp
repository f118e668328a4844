// The show as it was before fully transparent layers were skipped, for the benchmark's "as
// before" figures.
#pragma once

#include <SFML/Graphics/RenderTarget.hpp>

// Draws what the frame just rendered used to draw on top and now skips: the intro's hidden
// logos (when the intro drew in this frame) and the overlay at alpha 0. They change no pixel,
// so drawing them after the frame costs what they cost inside it.
void drawTransparentLayers(sf::RenderTarget& target, bool introDrew);
