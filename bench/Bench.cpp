// orbelle-bench: what the show costs next to the floor of its own stack (a bare window that
// clears, draws one full-screen sprite and displays), printed as a table:
//   - CPU and wall time per frame of the intro and of the ball scene, driven at the fixed step
//     as fast as they go into a 1920 x 1080 render texture, each frame waited for, with the
//     floor frame measured in the same run, interleaved frame by frame;
//   - start-up, from process start to the window, the loaded assets and the first intro frame;
//   - peak resident memory of the real program over its first 20 seconds.
// Every figure is the median of several runs, each run a fresh process, with min and max.
//
// Usage (needs a display, e.g. under xvfb-run; reads the assets beside the sources):
//   orbelle-bench [runs] [frame] [startup] [memory]
//                             the table, or only the sections named; runs of each measurement
//                             (default 3)
//   orbelle-bench frames      one run of the frame measurement, as raw figures
#include "AsBefore.hpp"
#include "BenchSupport.hpp"

#include "app/App.hpp"
#include "app/Config.hpp"
#include "app/Driver.hpp"
#include "app/Fade.hpp"
#include "scenes/BallScene.hpp"
#include "scenes/IntroScene.hpp"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const std::string sourceDir = ORBELLE_SOURCE_DIR;
const std::string programPath = ORBELLE_BINARY;
const std::string floorPath = ORBELLE_FLOOR_BINARY;
const std::string startupPath = ORBELLE_STARTUP_BINARY;

// Ball-scene frames measured after its fade-in, half of them as before: 8 s of the show, the
// first ball included.
const long steadyBallFrames = 480;
const int memorySeconds = 20;

// Frame phases, in the order of the table.
const char* const phaseNames[] = {"floor",      "intro", "intro-before",
                                  "balls-fade", "balls", "balls-before"};
const char* const phaseTitles[] = {
    "floor: clear + 1 full-screen sprite + display",
    "intro",
    "intro, transparent layers drawn (as before)",
    "ball scene, 2 s fade-in",
    "ball scene, after the fade-in",
    "ball scene, after the fade-in, transparent overlay drawn (as before)",
};
const int phaseCount = 6;

struct Phase {
    long frames = 0;
    long long wallNs = 0;
    long long cpuNs = 0;
};

template <typename Frame> void timeFrame(Phase& phase, Frame&& frame) {
    const long long wall = monotonicNs();
    const long long cpu = processCpuNs();
    frame();
    finishRendering();
    phase.wallNs += monotonicNs() - wall;
    phase.cpuNs += processCpuNs() - cpu;
    phase.frames += 1;
}

// One run: the show from its first frame to steadyBallFrames past the ball scene's fade-in,
// every show frame followed by a floor frame. Every other show frame also draws the layers
// that are now skipped, which gives the figures from before that change in the same run.
int measureFrames() {
    loadConfig();
    sf::RenderTexture target;
    if (!createFrameTarget(target)) {
        return 1;
    }
    loadAssets();
    FloorSprite floor;
    setUpFloor(floor);

    Phase phases[phaseCount];
    long steadyFrames = 0;
    for (long i = 0; running && steadyFrames < steadyBallFrames; ++i) {
        const bool before = i % 2 == 1;
        int phase = 0;
        if (scene == Scene::Intro) {
            phase = before ? 2 : 1;
        } else if (ballScene.setup || fadeMode != FadeMode::None) {
            phase = 3;
        } else {
            phase = before ? 5 : 4;
            steadyFrames += 1;
        }
        const bool inIntro = scene == Scene::Intro;
        timeFrame(phases[phase], [&] {
            stepFrame(target, fixedStep);
            if (before) {
                // The intro's last frame hands over without drawing.
                drawTransparentLayers(target, inIntro && scene == Scene::Intro);
            }
        });
        timeFrame(phases[0], [&] {
            drawFloorFrame(target, floor);
            target.display();
        });
    }
    for (int p = 0; p < phaseCount; ++p) {
        std::printf("%s %ld\n%s-wall %lld\n%s-cpu %lld\n", phaseNames[p], phases[p].frames,
                    phaseNames[p], phases[p].wallNs, phaseNames[p], phases[p].cpuNs);
    }
    return 0;
}

std::string selfPath() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return std::string(path, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

void printRow(const std::string& title, const Summary& s, const char* format) {
    std::printf("  %-70s ", title.c_str());
    std::printf(format, s.median, s.min, s.max);
    std::printf("\n");
}

struct FrameFigures {
    std::vector<double> cpu[phaseCount];  // ms per frame
    std::vector<double> wall[phaseCount]; // ms per frame
};

void measureAllFrames(int runs, FrameFigures& figures) {
    for (int run = 0; run < runs; ++run) {
        const ChildRun child = runChild({selfPath(), "frames"}, sourceDir);
        if (child.status != 0) {
            std::fprintf(stderr, "frame run %d failed\n", run + 1);
            continue;
        }
        for (int p = 0; p < phaseCount; ++p) {
            const std::string name = phaseNames[p];
            const double frames = static_cast<double>(figureOf(child.out, name));
            figures.cpu[p].push_back(figureOf(child.out, name + "-cpu") / frames / 1e6);
            figures.wall[p].push_back(figureOf(child.out, name + "-wall") / frames / 1e6);
        }
    }
}

void printFrames(const FrameFigures& figures) {
    std::printf("\nPer-frame cost, median (min - max) of the runs' means\n");
    std::printf("  %-70s %-26s %-26s %s\n", "", "CPU ms/frame", "wall ms/frame",
                "CPU time / floor's");
    for (int p = 0; p < phaseCount; ++p) {
        std::vector<double> ratios;
        for (std::size_t run = 0; run < figures.cpu[p].size(); ++run) {
            ratios.push_back(figures.cpu[p][run] / figures.cpu[0][run]);
        }
        const Summary cpu = summarise(figures.cpu[p]);
        const Summary wall = summarise(figures.wall[p]);
        const Summary ratio = summarise(ratios);
        std::printf(
            "  %-70s %6.2f (%6.2f - %6.2f)   %6.2f (%6.2f - %6.2f)   %5.2f (%4.2f - %4.2f)\n",
            phaseTitles[p], cpu.median, cpu.min, cpu.max, wall.median, wall.min, wall.max,
            ratio.median, ratio.min, ratio.max);
    }
}

void measureStartUp(int runs) {
    std::map<std::string, std::vector<double>> ms;
    for (int run = 0; run < runs; ++run) {
        const ChildRun floor = runChild({floorPath}, sourceDir);
        const ChildRun show = runChild({startupPath}, sourceDir);
        const ChildRun before = runChild({startupPath, "before"}, sourceDir);
        const double floorFrame = (figureOf(floor.out, "frame") - floor.startNs) / 1e6;
        const double showFrame = (figureOf(show.out, "frame") - show.startNs) / 1e6;
        const double floorWindow = (figureOf(floor.out, "window") - floor.startNs) / 1e6;
        ms["floor-window"].push_back(floorWindow);
        ms["floor"].push_back(floorFrame);
        ms["over-window"].push_back(showFrame - floorWindow);
        ms["window"].push_back((figureOf(show.out, "window") - show.startNs) / 1e6);
        ms["assets"].push_back((figureOf(show.out, "assets") - show.startNs) / 1e6);
        ms["frame"].push_back(showFrame);
        ms["extra"].push_back(showFrame - floorFrame);
        ms["before"].push_back((figureOf(before.out, "frame") - before.startNs) / 1e6 - floorFrame);
        // Both end right after their first frame, so their CPU times compare like for like.
        ms["floor-cpu"].push_back(floor.cpuNs / 1e6);
        ms["show-cpu"].push_back(show.cpuNs / 1e6);
        ms["extra-cpu"].push_back((show.cpuNs - floor.cpuNs) / 1e6);
        ms["before-cpu"].push_back((before.cpuNs - floor.cpuNs) / 1e6);
    }
    std::printf("\nStart-up, ms from process start, median (min - max)\n");
    const char* format = "%8.1f (%6.1f - %6.1f)";
    printRow("floor: window shown black", summarise(ms["floor-window"]), format);
    printRow("floor: first frame displayed", summarise(ms["floor"]), format);
    printRow("show: window shown black", summarise(ms["window"]), format);
    printRow("show: assets loaded", summarise(ms["assets"]), format);
    printRow("show: first intro frame displayed", summarise(ms["frame"]), format);
    printRow("show's first intro frame minus the floor's window shown",
             summarise(ms["over-window"]), format);
    printRow("show's first intro frame minus the floor's first frame", summarise(ms["extra"]),
             format);
    printRow("  the same, transparent layers drawn (as before)", summarise(ms["before"]), format);
    std::printf("CPU time of the whole run up to that frame, ms, median (min - max)\n");
    printRow("floor", summarise(ms["floor-cpu"]), format);
    printRow("show", summarise(ms["show-cpu"]), format);
    printRow("show minus floor", summarise(ms["extra-cpu"]), format);
    printRow("  the same, transparent layers drawn (as before)", summarise(ms["before-cpu"]),
             format);
}

// Lines of the show's bounce log in the file at path.
int bouncesLogged(const std::string& path) {
    std::ifstream log(path);
    int bounces = 0;
    for (std::string line; std::getline(log, line);) {
        bounces += line == "bouncing!";
    }
    return bounces;
}

void measureMemory(int runs) {
    const std::string showLog = "/tmp/orbelle-bench-" + std::to_string(getpid()) + ".log";
    std::vector<double> floorMb, showMb, extraMb;
    int bounced = 0;
    for (int run = 0; run < runs; ++run) {
        // One after the other: started side by side on one X server, one of the two now and
        // then read far below its other runs.
        WatchedChild show = startWatched({programPath}, sourceDir, showLog);
        std::this_thread::sleep_for(std::chrono::seconds(memorySeconds));
        const double showPeak = peakResidentKb(show) / 1024.0;
        stopWatched(show);
        WatchedChild floor =
            startWatched({floorPath, std::to_string(memorySeconds + 5)}, sourceDir, "/dev/null");
        std::this_thread::sleep_for(std::chrono::seconds(memorySeconds));
        const double floorPeak = peakResidentKb(floor) / 1024.0;
        stopWatched(floor);
        showMb.push_back(showPeak);
        floorMb.push_back(floorPeak);
        extraMb.push_back(showPeak - floorPeak);
        // By then the show is in its ball scene with every texture, the sound and the shader in
        // use; its bounce log says whether the first ball had reached the floor.
        bounced += bouncesLogged(showLog) > 0;
    }
    std::remove(showLog.c_str());
    std::printf("\nPeak resident memory (VmHWM) over the first %d s, MB, median (min - max)\n",
                memorySeconds);
    std::printf("  (the show had logged its first bounce in %d of %d runs)\n", bounced, runs);
    const char* format = "%8.1f (%6.1f - %6.1f)";
    printRow("floor", summarise(floorMb), format);
    printRow("show (the real program)", summarise(showMb), format);
    printRow("show minus floor", summarise(extraMb), format);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "frames") {
        return measureFrames();
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const auto wanted = [&](const char* section) {
        if (argc <= 2) {
            return true;
        }
        for (int i = 2; i < argc; ++i) {
            if (std::string(argv[i]) == section) {
                return true;
            }
        }
        return false;
    };
    std::printf("Orbelle benchmark: %d runs per figure (start-up: %d), load average %s\n", runs,
                5 * runs, loadAverage().c_str());
    std::fflush(stdout);
    if (wanted("frame")) {
        FrameFigures frames;
        measureAllFrames(runs, frames);
        printFrames(frames);
        std::fflush(stdout);
    }
    if (wanted("startup")) {
        measureStartUp(5 * runs);
        std::fflush(stdout);
    }
    if (wanted("memory")) {
        measureMemory(runs);
    }
    std::printf("\nLoad average at the end: %s\n", loadAverage().c_str());
    return 0;
}
