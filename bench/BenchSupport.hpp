// What the benchmark programs share: clocks that agree across processes, the bare floor frame
// every figure is compared with, starting a child program and reading its figures, and the
// median/min/max summary of several runs.
#pragma once

#include <SFML/Graphics.hpp>
#include <string>
#include <vector>

// Nanoseconds on the monotonic clock, the same in every process of the machine.
long long monotonicNs();
// CPU time of the whole process, every thread included (the software renderer draws on threads
// of its own).
long long processCpuNs();

// The floor: a bare frame that clears, draws one full-screen sprite and displays. The sprite is
// a small repeated texture stretched over 1920 x 1080 by its texture rectangle, like the show's
// "black" sprite, so it costs one full-screen pass.
struct FloorSprite {
    sf::Texture texture;
    sf::Sprite sprite;
};
void setUpFloor(FloorSprite& floor);
void drawFloorFrame(sf::RenderTarget& target, const FloorSprite& floor);

// Waits until the renderer has finished every command given so far, so a frame's drawing is
// counted in the frame that asked for it.
void finishRendering();

struct ChildRun {
    long long startNs = 0; // monotonic time just before the child was started
    int status = -1;       // exit status, -1 when it did not exit normally
    long long cpuNs = 0;   // CPU time of the whole run, every thread included
    std::string out;       // its standard output
};
// Runs program with arguments in folder and collects its standard output; its standard error
// is dropped.
ChildRun runChild(const std::vector<std::string>& argv, const std::string& folder);

// A running child whose peak memory is read while it runs.
struct WatchedChild {
    int pid = -1;
};
// Starts program with arguments in folder, its standard output going to the file output.
WatchedChild startWatched(const std::vector<std::string>& argv, const std::string& folder,
                          const std::string& output);
// The child's peak resident memory so far (VmHWM), in kB; -1 when it cannot be read.
long peakResidentKb(const WatchedChild& child);
// Ends the child with SIGTERM and reaps it.
void stopWatched(WatchedChild& child);

// The value after "name " on a line of text, or -1 when no line starts with it.
long long figureOf(const std::string& text, const std::string& name);

struct Summary {
    double median = 0;
    double min = 0;
    double max = 0;
};
Summary summarise(std::vector<double> values);
