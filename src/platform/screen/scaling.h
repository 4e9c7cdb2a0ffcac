// Where the game's picture goes on an output of any size, and how big a window to give it.
//
// The picture keeps its aspect and is centred, with black bars on the spare sides. To keep
// every source pixel the same size on screen, it is first enlarged by nearest neighbour to the
// smallest whole multiple at least as large as the target, then smoothed down to the target;
// when the target is itself a whole multiple, nearest neighbour alone does it.
#pragma once

struct ScaleRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ScalePlan {
    ScaleRect target;    // where the picture goes in the output, in output pixels
    int prescale = 1;    // the whole multiple the picture is first enlarged to (1 or more)
    bool exact = false;  // the target is exactly `prescale` times the picture
};

// Plans the picture of `pictureWidth` x `pictureHeight` on an output of `outputWidth` x
// `outputHeight`. An empty output (or picture) gets an empty target and prescale 1.
ScalePlan ScalePlanFor(int pictureWidth, int pictureHeight, int outputWidth, int outputHeight);

struct ScaleSize {
    int width = 0;
    int height = 0;
};

// The window size for the picture: twice its size, or when that does not fit in
// `usableWidth` x `usableHeight`, the largest size of the picture's aspect that does.
// An unknown usable area (0 or less) gets twice the size.
ScaleSize WindowSizeFor(int pictureWidth, int pictureHeight, int usableWidth, int usableHeight);
