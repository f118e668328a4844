// Helpers shared by the tests: scratch folders, files, captured output, generated images and
// sounds, and running the real program.
#pragma once

#include <functional>
#include <string>
#include <vector>

// A fresh empty folder under /tmp; removed when the object goes away.
struct ScratchDir {
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string path;
    std::string operator/(const std::string& name) const { return path + "/" + name; }
};

// Makes path the working directory until the object goes away.
struct ScopedCwd {
    explicit ScopedCwd(const std::string& path);
    ~ScopedCwd();
    ScopedCwd(const ScopedCwd&) = delete;
    ScopedCwd& operator=(const ScopedCwd&) = delete;
    std::string previous;
};

void writeFile(const std::string& path, const std::string& content);
std::string readFile(const std::string& path);
std::vector<std::string> splitLines(const std::string& text);

// The lines a call wrote to standard error / standard output.
std::vector<std::string> stderrLinesOf(const std::function<void()>& call);
std::vector<std::string> stdoutLinesOf(const std::function<void()>& call);

// Drops the graphics and audio library's own diagnostics, keeping the program's lines.
std::vector<std::string> programLines(const std::vector<std::string>& lines);

// Writes an opaque PNG of the given size and colour, creating missing folders.
void makePng(const std::string& path, unsigned width, unsigned height, unsigned rgba = 0xffffffff);
// Writes a 44.1 kHz mono WAV holding a sine tone of the given length.
void makeWav(const std::string& path, float seconds, float frequency = 440.0f);

struct ProcessResult {
    int status = -1; // exit status, or -1 when the process did not exit normally
    std::string out;
    std::string err;
};
// Runs a shell command line, capturing its standard output and error.
ProcessResult runCommand(const std::string& commandLine);
// Shell-quotes a word.
std::string quote(const std::string& word);

// A private X server for one test, so a held key or a closed window touches nothing else.
struct XvfbServer {
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;
    std::string display; // e.g. ":7"
    int pid = -1;
};

// A command line started in the background with its output captured to files.
struct ChildProcess {
    // Runs commandLine through /bin/sh in the folder cwd.
    ChildProcess(const std::string& commandLine, const std::string& cwd);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // Waits at most timeoutSeconds; kills the process when it is still running then.
    ProcessResult wait(double timeoutSeconds);
    bool finished();
    ScratchDir capture;
    int pid = -1;
    int rawStatus = 0;
    bool reaped = false;
};
