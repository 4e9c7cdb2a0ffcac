// A small 2D polygon object: vertices relative to a position, drawn as a closed outline or a
// filled convex shape into a locked 8-bit or 16-bit surface, and moved, rotated and scaled
// either directly or through a 3x2 matrix. Rotations read whole-degree sine and cosine tables.
#pragma once

#include "engine/gfx/prims/matrices.h"

#include <cstdint>

struct Polygon2D {
    int32_t active;  // 0: the outline drawers draw nothing
    int32_t vertexCount;
    int32_t x0;  // position; every vertex is relative to it
    int32_t y0;
    int32_t colour;     // low byte on 8-bit surfaces, low 16 bits on 16-bit ones
    Point2D* vertices;  // vertexCount points, owned by the caller
};

// Sine and cosine of 0..360 whole degrees; zero until BuildTrigTables has run.
extern float SinTable[361];
extern float CosTable[361];

// Fills SinTable and CosTable.
void BuildTrigTables();
// The box around the vertices and the origin, in the polygon's own coordinates; 0 (all four
// results 0) without vertices, else 1.
int32_t PolygonBounds(const Polygon2D* polygon, float* minX, float* maxX, float* minY, float* maxY);
// Draws the closed outline, clipped; 0 for no polygon, an inactive one or one without vertices,
// else 1.
int32_t DrawPolygon8(const Polygon2D* polygon, uint8_t* memory, int32_t pitch);
// The same with 16-bit colour words (pitch in bytes).
int32_t DrawPolygon16(const Polygon2D* polygon, uint8_t* memory, int32_t pitch);
// Fills a convex polygon scan line by scan line, without clipping: the caller keeps it on the
// surface. Draws nothing for fewer than three vertices or no vertex array.
void FillPolygon8(const Polygon2D* polygon, uint8_t* memory, int32_t pitch);
// The same with 16-bit colour words (pitch in bytes).
void FillPolygon16(const Polygon2D* polygon, uint8_t* memory, int32_t pitch);
// Moves the position by (dx, dy); 0 for no polygon, else 1.
int32_t TranslatePolygon(Polygon2D* polygon, int32_t dx, int32_t dy);
// Turns the vertices about the position by whole degrees (any angle, taken modulo 360);
// 0 for no polygon, else 1.
int32_t RotatePolygon(Polygon2D* polygon, int32_t angle);
// Scales the vertices by sx and sy about the position; 0 for no polygon, else 1.
int32_t ScalePolygon(Polygon2D* polygon, float sx, float sy);
// TranslatePolygon through a 3x2 matrix (the position truncated toward zero); 0 / 1 as it.
int32_t TranslatePolygonMatrix(Polygon2D* polygon, int32_t dx, int32_t dy);
// RotatePolygon through a 3x2 matrix, with the same result; 0 / 1 as it.
int32_t RotatePolygonMatrix(Polygon2D* polygon, int32_t angle);
// ScalePolygon through a 3x2 matrix; 0 / 1 as it.
int32_t ScalePolygonMatrix(Polygon2D* polygon, float sx, float sy);
