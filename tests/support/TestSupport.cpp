#include "support/TestSupport.hpp"

#include <SFML/Graphics/Image.hpp>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "orbelle-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

ScopedCwd::ScopedCwd(const std::string& path) : previous(fs::current_path().string()) {
    fs::current_path(path);
}

ScopedCwd::~ScopedCwd() {
    fs::current_path(previous);
}

void writeFile(const std::string& path, const std::string& content) {
    const fs::path parent = fs::path(path).parent_path();
    if (!parent.empty()) {
        fs::create_directories(parent);
    }
    std::ofstream file(path, std::ios::binary);
    file << content;
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> stderrLinesOf(const std::function<void()>& call) {
    testing::internal::CaptureStderr();
    call();
    return splitLines(testing::internal::GetCapturedStderr());
}

std::vector<std::string> stdoutLinesOf(const std::function<void()>& call) {
    testing::internal::CaptureStdout();
    call();
    return splitLines(testing::internal::GetCapturedStdout());
}

std::vector<std::string> programLines(const std::vector<std::string>& lines) {
    static const char* const libraryPrefixes[] = {
        "Failed to load image",
        "Failed to load sound file",
        "Failed to open sound file",
        "Failed to compile",
        "Failed to link",
        "Failed to open",
        "Setting vertical sync",
        "Reason:",
        "Failed to create texture",
        "Failed to load texture",
        "Failed to read",
        "Failed to load shader",
    };
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        bool fromLibrary = line.rfind("    ", 0) == 0; // compile logs are indented
        for (const char* prefix : libraryPrefixes) {
            fromLibrary = fromLibrary || line.rfind(prefix, 0) == 0;
        }
        if (!fromLibrary && !line.empty()) {
            kept.push_back(line);
        }
    }
    return kept;
}

void makePng(const std::string& path, unsigned width, unsigned height, unsigned rgba) {
    const fs::path parent = fs::path(path).parent_path();
    if (!parent.empty()) {
        fs::create_directories(parent);
    }
    sf::Image image;
    image.create(width, height, sf::Color(rgba));
    if (!image.saveToFile(path)) {
        throw std::runtime_error("cannot write " + path);
    }
}

void makeWav(const std::string& path, float seconds, float frequency) {
    // Written byte by byte: encoding through the audio library would need an audio device.
    const std::uint32_t rate = 44100;
    const auto count = static_cast<std::uint32_t>(seconds * rate);
    std::string bytes;
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes += static_cast<char>((value >> (8 * i)) & 0xff);
        }
    };
    bytes += "RIFF";
    put(36 + 2 * count, 4);
    bytes += "WAVEfmt ";
    put(16, 4);
    put(1, 2); // PCM
    put(1, 2); // mono
    put(rate, 4);
    put(2 * rate, 4);
    put(2, 2);
    put(16, 2);
    bytes += "data";
    put(2 * count, 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const double sample = 12000.0 * std::sin(2.0 * M_PI * frequency * i / rate);
        put(static_cast<std::uint16_t>(static_cast<std::int16_t>(sample)), 2);
    }
    writeFile(path, bytes);
}

std::string quote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

ProcessResult runCommand(const std::string& commandLine) {
    ScratchDir capture;
    const std::string full = "( " + commandLine + " ) >" + quote(capture / "out") + " 2>" +
                             quote(capture / "err") + " </dev/null";
    const int raw = std::system(full.c_str());
    ProcessResult result;
    result.status = (raw != -1 && WIFEXITED(raw)) ? WEXITSTATUS(raw) : -1;
    result.out = readFile(capture / "out");
    result.err = readFile(capture / "err");
    return result;
}

XvfbServer::XvfbServer() {
    int fds[2];
    if (pipe(fds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1920x1080x24", "-noreset",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        throw std::runtime_error("Xvfb did not start");
    }
    display = ":" + number;
}

XvfbServer::~XvfbServer() {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

ChildProcess::ChildProcess(const std::string& commandLine, const std::string& cwd) {
    const std::string out = capture / "out";
    const std::string err = capture / "err";
    pid = fork();
    if (pid == 0) {
        if (chdir(cwd.c_str()) != 0) {
            _exit(126);
        }
        const std::string full =
            "exec >" + quote(out) + " 2>" + quote(err) + " </dev/null; " + "exec " + commandLine;
        execl("/bin/sh", "sh", "-c", full.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

ChildProcess::~ChildProcess() {
    if (!reaped && pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

bool ChildProcess::finished() {
    if (!reaped && waitpid(pid, &rawStatus, WNOHANG) == pid) {
        reaped = true;
    }
    return reaped;
}

ProcessResult ChildProcess::wait(double timeoutSeconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (!finished() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ProcessResult result;
    if (!reaped) {
        kill(pid, SIGKILL);
        waitpid(pid, &rawStatus, 0);
        reaped = true;
        result.status = -1;
    } else {
        result.status = WIFEXITED(rawStatus) ? WEXITSTATUS(rawStatus) : -1;
    }
    result.out = readFile(capture / "out");
    result.err = readFile(capture / "err");
    return result;
}
