// Small 2D and 3D arithmetic: 3x2 affine matrices for points, 3x3 products, and two cheap
// approximations of a vector's length. Everything is single precision, in a fixed order of
// operations, so results repeat exactly from run to run.
#pragma once

#include <cstdint>

// A point, or a polygon vertex: x to the right, y downwards.
struct Point2D {
    float x;
    float y;
};

// Three rows of two: rows 0 and 1 the linear part, row 2 the translation.
struct Matrix3x2 {
    float m[3][2];
};

// Three rows of three.
struct Matrix3x3 {
    float m[3][3];
};

struct Vector3D {
    float v[3];
};

// Stores the six values in storage order (m00, m01, m10, m11, m20, m21); 1, or 0 without a
// matrix.
int32_t SetMatrix3x2(Matrix3x2* matrix, float m00, float m01, float m10, float m11, float m20, float m21);
// out = point x matrix (products summed, then the translation added); 1, or 0 for a missing
// argument. `out` may be `point`.
int32_t MultiplyPointMatrix3x2(const Point2D* point, const Matrix3x2* matrix, Point2D* out);
// out = a x b; 1, or 0 for a missing argument. `out` may be `a` or `b`.
int32_t MultiplyMatrix3x3(const Matrix3x3* a, const Matrix3x3* b, Matrix3x3* out);
// out = v x m (v as a row); 1, or 0 for a missing argument. `out` may be `v`.
int32_t MultiplyVectorMatrix3x3(const Vector3D* v, const Matrix3x3* m, Vector3D* out);
// About the length of (dx, dy): x + y - 11/16 of the smaller, with truncating shifts; saturates
// at the largest int.
int32_t FastDistance2D(int32_t dx, int32_t dy);
// About the length of (dx, dy, dz) in 1/1024 steps; always a whole number.
float FastDistance3D(float dx, float dy, float dz);
