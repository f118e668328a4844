// Scratch folder, stderr capture and the known-line check shared by the fuzz targets.
#include "FuzzSupport.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string scratchDir;
// A copy of the standard error the process started with, taken before libFuzzer moves it
// aside, for the messages of a failed check.
int originalStderr = -1;

void removeScratchDir() {
    std::error_code ignored;
    fs::remove_all(scratchDir, ignored);
}

void writeTinyWav(const std::string& path) {
    const unsigned rate = 8000;
    std::vector<sf::Int16> samples(80);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<sf::Int16>(8000 * std::sin(0.3 * static_cast<double>(i)));
    }
    sf::SoundBuffer buffer;
    if (!buffer.loadFromSamples(samples.data(), samples.size(), 1, rate) ||
        !buffer.saveToFile(path)) {
        throw std::runtime_error("cannot write " + path);
    }
}

void writeOriginal(const std::string& text) {
    const int fd = originalStderr >= 0 ? originalStderr : 2;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written <= 0) {
            return;
        }
        done += static_cast<std::size_t>(written);
    }
}

// Turns a line template into a regex: literal text is escaped, "{any}" is a variable part,
// "{int}" a decimal integer and "{a|b}" one of the listed words.
std::string templateToRegex(const std::string& line, const std::string& variable) {
    static const std::string special = R"(\^$.|?*+()[]{}/)";
    std::string regex;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '{') {
            const std::size_t close = line.find('}', i);
            const std::string inside = line.substr(i + 1, close - i - 1);
            if (inside == "any") {
                regex += variable;
            } else if (inside == "int") {
                regex += "-?[0-9]+";
            } else {
                regex += "(?:" + inside + ")";
            }
            i = close;
        } else {
            if (special.find(line[i]) != std::string::npos) {
                regex += '\\';
            }
            regex += line[i];
        }
    }
    return regex;
}

// The compiled regexes of a list of templates, built once per list and mode.
const std::vector<std::regex>& compiled(const KnownLines& known, bool spanLines) {
    static std::map<std::pair<const KnownLines*, bool>, std::vector<std::regex>> cache;
    auto& regexes = cache[{&known, spanLines}];
    if (regexes.empty()) {
        for (const std::string& line : known) {
            regexes.emplace_back(templateToRegex(line, spanLines ? "[\\s\\S]*" : "[^\\n]*"));
        }
    }
    return regexes;
}

bool matchesOne(const std::string& text, const std::vector<std::regex>& regexes) {
    for (const std::regex& regex : regexes) {
        if (std::regex_match(text, regex)) {
            return true;
        }
    }
    return false;
}

// Lines without their line ends; an output that does not end with one is refused before.
std::vector<std::string> splitLines(const std::string& output) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = output.find('\n', start);
        lines.push_back(output.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// True when the lines can be grouped, in order, into runs that each match one known line.
bool splitsIntoKnownRuns(const std::vector<std::string>& lines,
                         const std::vector<std::regex>& regexes) {
    std::vector<bool> reachable(lines.size() + 1, false);
    reachable[0] = true;
    for (std::size_t first = 0; first < lines.size(); ++first) {
        if (!reachable[first]) {
            continue;
        }
        std::string run;
        for (std::size_t last = first; last < lines.size(); ++last) {
            run += (last == first ? "" : "\n") + lines[last];
            if (!reachable[last + 1] && matchesOne(run, regexes)) {
                reachable[last + 1] = true;
            }
        }
    }
    return reachable[lines.size()];
}

} // namespace

void enterScratchDir() {
    originalStderr = dup(2);
    std::string pattern = (fs::temp_directory_path() / "orbelle-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    scratchDir = pattern;
    fs::current_path(scratchDir);
    std::atexit(removeScratchDir);

    sf::Image image;
    image.create(2, 2, sf::Color(200, 100, 50));
    if (!image.saveToFile("tiny.png")) {
        throw std::runtime_error("cannot write tiny.png");
    }
    writeTinyWav("tiny.wav");
}

void writeInput(const std::string& path, const unsigned char* data, std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

std::string captureStderr(const std::function<void()>& call) {
    std::FILE* capture = std::tmpfile();
    if (capture == nullptr) {
        throw std::runtime_error("tmpfile failed");
    }
    std::cerr.flush();
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(fileno(capture), 2);
    call();
    std::cerr.flush();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);

    std::string output;
    std::rewind(capture);
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, capture)) > 0;) {
        output.append(chunk, got);
    }
    std::fclose(capture);
    return output;
}

const KnownLines& libraryLines() {
    static const KnownLines lines = {
        // An image that does not load.
        "Failed to load image \"{any}\". Reason: {any}",
        "Failed to create texture, invalid size ({any})",
        "Failed to create texture, its internal size is too high ({any})",
        // A sound file that does not open or decode.
        "Failed to open sound file \"{any}\" ({any})",
        "Failed to open WAV sound file (invalid or unsupported file)",
        "Unsupported format: {any}",
        "Unsupported sample size: {any}",
        "Failed to open FLAC file ({any})",
        "Failed to open Vorbis file for reading",
        "Failed to load sound buffer (unsupported number of channels: {any})",
        "Failed to open the audio device",
        // An OpenAL error, such as a player made after every source is taken: a header, then
        // indented detail lines, then an empty line.
        "An internal OpenAL call failed in {any}.",
        "Expression:",
        "Error description:",
        "   {any}",
        "",
    };
    return lines;
}

void requireKnownLines(const std::string& output, const KnownLines& known, bool inputHasEscape) {
    if (output.empty()) {
        return;
    }
    require(output.back() == '\n', "the last line written to stderr has no line end", output);
    const std::vector<std::string> lines = splitLines(output);
    const std::vector<std::regex>& single = compiled(known, false);
    auto unknown = lines.begin();
    while (unknown != lines.end() && matchesOne(*unknown, single)) {
        ++unknown;
    }
    if (unknown == lines.end()) {
        return;
    }
    if (inputHasEscape && splitsIntoKnownRuns(lines, compiled(known, true))) {
        return;
    }
    require(false, "unknown line on stderr: \"" + *unknown + "\"", output);
}

void require(bool condition, const std::string& what, const std::string& output) {
    if (condition) {
        return;
    }
    writeOriginal("\n*** fuzz check failed: " + what + "\n*** captured stderr:\n" + output +
                  "*** end of captured stderr\n");
    std::abort();
}

KnownLines manifestLines(const std::string& registry, const std::string& rootKey,
                         const std::string& requiredProperty, const std::string& properties) {
    return {
        registry + ": Unable to open file {any}.",
        registry + ": Error while parsing JSON.",
        "[json.exception.{any}",
        "validateJson: Missing prop: " + rootKey + ".",
        registry + ": Missing properties in " + rootKey + "file.",
        registry + ": Missing " + requiredProperty + " property for [{any}]",
        registry + ": Invalid " + properties + " for [{any}]: {any}",
    };
}

void fuzzManifest(const unsigned char* data, std::size_t size, const std::string& registry,
                  const std::string& rootKey, bool (*load)(std::string), const KnownLines& known) {
    writeInput("manifest.json", data, size);
    bool loaded = false;
    const std::string output = captureStderr([&] { loaded = load("manifest.json"); });
    const bool hasEscape = std::find(data, data + size, '\\') != data + size;
    requireKnownLines(output, known, hasEscape);

    // A parse error may come first; then validateJson's line and the registry's own.
    static std::map<std::string, std::regex> stoppedAtRoot;
    if (stoppedAtRoot.count(registry) == 0) {
        const std::string parseError = templateToRegex(
            registry + ": Error while parsing JSON.\n[json.exception.{any}\n", "[^\\n]*");
        const std::string rootMissing =
            templateToRegex("validateJson: Missing prop: " + rootKey + ".\n" + registry +
                                ": Missing properties in " + rootKey + "file.\n",
                            "");
        stoppedAtRoot.emplace(registry, std::regex("(?:" + parseError + ")?" + rootMissing));
    }
    require(loaded != std::regex_match(output, stoppedAtRoot.at(registry)),
            loaded ? "loaded, but stopped at the root key"
                   : "not loaded, without the root key lines",
            output);
}
