// The real program end to end, each test on a private X server in a scratch working folder:
// how it ends (Escape, a close request, by itself) and what start-up reports.
#include "support/TestSupport.hpp"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
// Xlib defines macros such as None and Bool, so it comes after every other header.
#include <X11/Xlib.h>

namespace {

const std::string program = ORBELLE_BINARY;

std::string onDisplay(const XvfbServer& server, const std::string& command) {
    return "env DISPLAY=" + server.display + " " + command;
}

Window findWindowNamed(Display* display, Window parent, const std::string& name) {
    char* windowName = nullptr;
    if (XFetchName(display, parent, &windowName) && windowName != nullptr) {
        const bool match = name == windowName;
        XFree(windowName);
        if (match) {
            return parent;
        }
    }
    Window root, owner, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, parent, &root, &owner, &children, &count)) {
        for (unsigned i = 0; i < count && found == 0; ++i) {
            found = findWindowNamed(display, children[i], name);
        }
        if (children != nullptr) {
            XFree(children);
        }
    }
    return found;
}

Window waitForWindow(Display* display, const std::string& name, ChildProcess& child) {
    for (int attempt = 0; attempt < 600 && !child.finished(); ++attempt) {
        if (Window found = findWindowNamed(display, DefaultRootWindow(display), name)) {
            return found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 0;
}

// What a window manager sends when the user clicks the close button.
void requestClose(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

long countOf(const std::vector<std::string>& lines, const std::string& line) {
    return std::count(lines.begin(), lines.end(), line);
}

TEST(ProgramTest, HeldEscapeEndsItAfterTheFirstFrame) {
    XvfbServer server;
    ScratchDir dir;
    writeFile(dir / "config.json", R"({"sound": false})");
    // The server keeps its keyboard state between clients because it runs with -noreset.
    ASSERT_EQ(runCommand(onDisplay(server, "xdotool keydown Escape")).status, 0);

    ChildProcess child(onDisplay(server, quote(program)), dir.path);
    const ProcessResult result = child.wait(60);

    EXPECT_EQ(result.status, 0) << result.err;
    const auto lines = programLines(splitLines(result.err));
    // The first frame ran its scene: the intro asked for its logos once.
    EXPECT_EQ(countOf(lines, "SpriteManager: Sprite with key pk1 does not exist."), 1);
    // It never got as far as the ball scene.
    EXPECT_EQ(countOf(lines, "SpriteManager: Sprite with key mirel does not exist."), 0);
}

TEST(ProgramTest, CloseRequestEndsItAndTheWindowIsTheShowsOwn) {
    XvfbServer server;
    ScratchDir dir;
    writeFile(dir / "config.json", R"({"sound": false})");
    ChildProcess child(onDisplay(server, quote(program)), dir.path);

    Display* display = XOpenDisplay(server.display.c_str());
    ASSERT_NE(display, nullptr);
    const Window window = waitForWindow(display, "Vantor - Orbelle", child);
    ASSERT_NE(window, 0u) << "no window titled \"Vantor - Orbelle\"";
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(display, window, &attributes));
    EXPECT_EQ(attributes.width, 1920);
    EXPECT_EQ(attributes.height, 1080);

    // Several requests queued at once are all taken in one frame.
    requestClose(display, window);
    requestClose(display, window);
    requestClose(display, window);
    const ProcessResult result = child.wait(30);
    XCloseDisplay(display);

    EXPECT_EQ(result.status, 0) << result.err;
}

TEST(ProgramTest, WithNothingBesideItStartUpReportsEachMissingPieceAndTheShowEndsByItself) {
    XvfbServer server;
    ScratchDir dir;
    ChildProcess child(onDisplay(server, quote(program)), dir.path);
    const ProcessResult result = child.wait(120);

    EXPECT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> expected = {
        "Config.json missing.",
        "TextureManager: Unable to open file assets/textures.json.",
        "SpriteManager: Unable to open file assets/sprites.json.",
        "SoundManager: Unable to open file assets/sounds.json.",
        "unable to load the shader",
        "SpriteManager: Sprite with key black does not exist.",
        "SpriteManager: Sprite with key pk1 does not exist.",
        "SpriteManager: Sprite with key pk2 does not exist.",
        "SpriteManager: Sprite with key black does not exist.",
        "SpriteManager: Sprite with key mirel does not exist.",
        "SpriteManager: Sprite with key tosk does not exist.",
        "SpriteManager: Sprite with key vantor does not exist.",
        "SpriteManager: Sprite with key greets does not exist.",
        "SpriteManager: Sprite with key fennick does not exist.",
        "SpriteManager: Sprite with key grumbel does not exist.",
        "SpriteManager: Sprite with key quade does not exist.",
    };
    EXPECT_EQ(programLines(splitLines(result.err)), expected);
    EXPECT_EQ(result.out, "");
}

TEST(ProgramTest, MissingShaderIsReportedOnceAndTheShowGoesOn) {
    XvfbServer server;
    ScratchDir dir;
    writeFile(dir / "config.json", R"({"sound": false})");
    writeFile(dir / "assets/shaders/passthrough.vert",
              "void main() { gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex; }\n");
    ChildProcess child(onDisplay(server, quote(program)), dir.path);
    const ProcessResult result = child.wait(120);

    EXPECT_EQ(result.status, 0) << result.err;
    const auto lines = splitLines(result.err);
    EXPECT_EQ(countOf(lines, "unable to load the shader"), 1);
    // The show reached the ball scene after the shader failed.
    EXPECT_EQ(countOf(lines, "SpriteManager: Sprite with key quade does not exist."), 1);
}

} // namespace
