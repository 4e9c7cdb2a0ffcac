// Pieces the menu screens are built from: borders, panels, key caps, enlarged sprites.
#pragma once

#include <string>

#include "art/canvas.h"
#include "art/text.h"
#include "core/types.h"

namespace datagen {

// A band of Greek key pattern across the canvas between rows y0 and y0 + 24.
void PaintMeanderBand(Canvas& canvas, int y0, Colour ink, Colour ground);

// A dark rounded panel, laid over the picture with the given opacity, with a thin frame.
void PaintPanel(Canvas& canvas, int x0, int y0, int x1, int y1, double opacity, Colour frame);

// A keyboard key with its label, top-left at (x, y); returns its width.
int PaintKeyCap(Canvas& canvas, TextRenderer& text, const std::string& label, int x, int y);

// A palette picture enlarged by a whole factor; index 0 is left out (transparent).
void StampPicture(Canvas& canvas, const IndexedImage& picture, int x, int y, int factor);

// A palette picture shrunk to fit a box by averaging, for thumbnails.
void StampThumbnail(Canvas& canvas, const IndexedImage& picture, int x, int y, int width, int height);

}  // namespace datagen
