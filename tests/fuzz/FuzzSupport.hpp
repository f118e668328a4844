// Helpers shared by the fuzz targets: a private working folder, small valid asset files, the
// capture of everything written to standard error during a call, and the check that each of
// those lines is one the program (or a library it uses) is known to write.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Makes a fresh folder under /tmp the working directory for the rest of the run and writes
// "tiny.png" (2 x 2) and "tiny.wav" (a few milliseconds of tone) into it, so that manifests in
// the corpus can name files that really load. The folder is removed at exit.
void enterScratchDir();

// Writes the fuzzer's bytes to path in the working directory.
void writeInput(const std::string& path, const unsigned char* data, std::size_t size);

// Runs call with file descriptor 2 redirected to a temporary file and returns what was written.
// Run the fuzzer with -close_fd_mask=2 so that its own and the sanitizers' reports go to a
// copy of the original standard error and are never captured here.
std::string captureStderr(const std::function<void()>& call);

// One known line as an ECMAScript regex over the whole line. "{any}" stands for a variable
// part (a key, a path, a library message).
using KnownLines = std::vector<std::string>;

// Lines the graphics and audio libraries write on their own when a file does not load.
const KnownLines& libraryLines();

// Aborts, after printing the output and the offending line, unless the output splits into
// known lines. A key or path may hold a line break only when the JSON text had an escape
// sequence, so variable parts may then span lines.
void requireKnownLines(const std::string& output, const KnownLines& known, bool inputHasEscape);

// Aborts with a message on the original standard error when condition is false.
void require(bool condition, const std::string& what, const std::string& output);

// The lines the shared manifest walk writes for one registry: registry is "TextureManager",
// rootKey "textures", requiredProperty "FILE" as it is printed, and properties the names an
// "Invalid ..." line may give, as "{repeated|file}".
KnownLines manifestLines(const std::string& registry, const std::string& rootKey,
                         const std::string& requiredProperty, const std::string& properties);

// Writes the bytes as a manifest, loads it with load and checks what must hold whatever the
// bytes: every line on stderr is known, and the result is false exactly when the walk stopped
// at the root key (after at most a parse error).
void fuzzManifest(const unsigned char* data, std::size_t size, const std::string& registry,
                  const std::string& rootKey, bool (*load)(std::string), const KnownLines& known);
