// orbelle-capture: runs the show off-screen at 60 frames per second and saves the frames at the
// requested show times as PNG files. Run from the repository root, like the program, so that
// config.json and assets/ are found.
//
//   orbelle-capture TIME FILE [TIME FILE ...]    e.g. orbelle-capture 3.0 out/first.png
//
// The frame saved for a time t is the first whose accumulated show time reaches t.
#include "app/App.hpp"
#include "app/Config.hpp"
#include "app/Driver.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Shot {
    long frame; // 1-based number of the frame to save
    std::string path;
};

bool parseShots(int argc, char** argv, std::vector<Shot>& shots) {
    if (argc < 3 || argc % 2 == 0) {
        return false;
    }
    for (int i = 1; i < argc; i += 2) {
        char* end = nullptr;
        const double seconds = std::strtod(argv[i], &end);
        if (end == argv[i] || *end != '\0' || !(seconds >= 0.0) || seconds > 36000.0) {
            std::cerr << "orbelle-capture: not a show time: " << argv[i] << std::endl;
            return false;
        }
        // A small tolerance keeps a time like 3.0 on frame 180 despite its decimal rounding.
        const long frame = std::max(1L, static_cast<long>(std::ceil(seconds * 60.0 - 1e-6)));
        shots.push_back(Shot{frame, argv[i + 1]});
    }
    std::stable_sort(shots.begin(), shots.end(),
                     [](const Shot& a, const Shot& b) { return a.frame < b.frame; });
    return true;
}

bool saveFrame(const sf::RenderTexture& target, const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!parent.empty()) {
        std::filesystem::create_directories(parent, ignored);
    }
    if (!frameImage(target).saveToFile(path)) {
        std::cerr << "orbelle-capture: unable to write " << path << std::endl;
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<Shot> shots;
    if (!parseShots(argc, argv, shots)) {
        std::cerr << "usage: orbelle-capture TIME FILE [TIME FILE ...]" << std::endl;
        return 2;
    }
    loadConfig();
    sf::RenderTexture target;
    if (!createFrameTarget(target)) {
        std::cerr << "orbelle-capture: unable to create the off-screen target" << std::endl;
        return 1;
    }
    loadAssets();

    bool ok = true;
    std::size_t next = 0;
    long frame = 0;
    bool goesOn = true;
    while (next < shots.size() && goesOn) {
        goesOn = stepFrame(target, fixedStep);
        ++frame;
        for (; next < shots.size() && shots[next].frame == frame; ++next) {
            ok = saveFrame(target, shots[next].path) && ok;
        }
    }
    for (; next < shots.size(); ++next) {
        std::cerr << "orbelle-capture: the show ended after frame " << frame << ", before "
                  << shots[next].path << std::endl;
        ok = false;
    }
    return ok ? 0 : 1;
}
