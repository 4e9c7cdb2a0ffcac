// The showcase program: a window that plays a scene for each family of engine primitives, one
// after another. Space moves on to the next scene, Escape (or closing the window) quits. On the
// headless host every scene plays once, for a fixed number of frames, and chosen frames of
// each can be written as PNG files.
#pragma once

#include <string>

struct ShowcaseOptions {
    bool headless = false;
    std::string framesFolder;  // where PNG frames go; empty for none (headless runs only)
    int framesPerScene = 60;   // frames a drawn scene plays on the headless host
};

// Runs the showcase on the SDL host, or on a headless one; the process exit status: 0, or 1
// when the window or the display cannot be made or a frame cannot be written.
int ShowcaseRun(const ShowcaseOptions& options);
