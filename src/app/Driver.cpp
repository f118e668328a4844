// The fixed-step driver: the show's frame work at a fixed time step into an off-screen target.
#include "app/Driver.hpp"

#include "app/App.hpp"

bool createFrameTarget(sf::RenderTexture& target) {
    return target.create(1920, 1080);
}

bool stepFrame(sf::RenderTexture& target, float dt) {
    renderFrame(target, dt);
    target.display();
    return running;
}

sf::Image frameImage(const sf::RenderTexture& target) {
    // The frame is cleared to transparent black; a window ignores alpha, so an image of the
    // frame must too.
    sf::Image image = target.getTexture().copyToImage();
    const sf::Vector2u size = image.getSize();
    for (unsigned y = 0; y < size.y; ++y) {
        for (unsigned x = 0; x < size.x; ++x) {
            sf::Color colour = image.getPixel(x, y);
            colour.a = 255;
            image.setPixel(x, y, colour);
        }
    }
    return image;
}
