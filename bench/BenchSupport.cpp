// Clocks, the floor frame, child processes and summaries for the benchmark programs.
#include "BenchSupport.hpp"

#include <SFML/OpenGL.hpp>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long long nsOf(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// The audio and GL libraries report the missing sound card and the like at length on every
// start; the table is what matters here, and a failed run shows in its figures.
void quietStderr() {
    if (std::freopen("/dev/null", "w", stderr) == nullptr) {
        _exit(127);
    }
}

// Replaces the calling (child) process with program, in folder.
[[noreturn]] void execIn(const std::vector<std::string>& argv, const std::string& folder) {
    if (chdir(folder.c_str()) != 0) {
        _exit(127);
    }
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
}

} // namespace

long long monotonicNs() {
    return nsOf(CLOCK_MONOTONIC);
}

long long processCpuNs() {
    return nsOf(CLOCK_PROCESS_CPUTIME_ID);
}

void setUpFloor(FloorSprite& floor) {
    sf::Image image;
    image.create(8, 8, sf::Color::Black);
    floor.texture.loadFromImage(image);
    floor.texture.setRepeated(true);
    floor.sprite.setTexture(floor.texture, true);
    floor.sprite.setTextureRect(sf::IntRect(0, 0, 1920, 1080));
}

void drawFloorFrame(sf::RenderTarget& target, const FloorSprite& floor) {
    target.clear(sf::Color(0, 0, 0, 0));
    target.draw(floor.sprite);
}

void finishRendering() {
    glFinish();
}

ChildRun runChild(const std::vector<std::string>& argv, const std::string& folder) {
    ChildRun run;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return run;
    }
    run.startNs = monotonicNs();
    const pid_t pid = fork();
    if (pid == 0) {
        quietStderr();
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execIn(argv, folder);
    }
    close(pipeEnds[1]);
    char buffer[4096];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        run.out.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    int raw = 0;
    rusage usage{};
    if (pid > 0 && wait4(pid, &raw, 0, &usage) == pid && WIFEXITED(raw)) {
        run.status = WEXITSTATUS(raw);
        run.cpuNs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000000LL +
                    (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1000LL;
    }
    return run;
}

WatchedChild startWatched(const std::vector<std::string>& argv, const std::string& folder,
                          const std::string& output) {
    WatchedChild child;
    child.pid = fork();
    if (child.pid == 0) {
        if (std::freopen(output.c_str(), "w", stdout) == nullptr) {
            _exit(127);
        }
        quietStderr();
        execIn(argv, folder);
    }
    return child;
}

long peakResidentKb(const WatchedChild& child) {
    std::ifstream status("/proc/" + std::to_string(child.pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

void stopWatched(WatchedChild& child) {
    if (child.pid > 0) {
        kill(child.pid, SIGTERM);
        waitpid(child.pid, nullptr, 0);
        child.pid = -1;
    }
}

long long figureOf(const std::string& text, const std::string& name) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(name + " ", 0) == 0) {
            return std::atoll(line.c_str() + name.size() + 1);
        }
    }
    return -1;
}

Summary summarise(std::vector<double> values) {
    Summary summary;
    if (values.empty()) {
        return summary;
    }
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    summary.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    summary.min = values.front();
    summary.max = values.back();
    return summary;
}
