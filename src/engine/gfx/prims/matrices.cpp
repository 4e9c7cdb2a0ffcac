#include "engine/gfx/prims/matrices.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

int32_t SetMatrix3x2(Matrix3x2* matrix, float m00, float m01, float m10, float m11, float m20, float m21) {
    if (matrix == nullptr) {
        return 0;
    }
    *matrix = Matrix3x2{{{m00, m01}, {m10, m11}, {m20, m21}}};
    return 1;
}

int32_t MultiplyPointMatrix3x2(const Point2D* point, const Matrix3x2* matrix, Point2D* out) {
    if (point == nullptr || matrix == nullptr || out == nullptr) {
        return 0;
    }
    const auto& m = matrix->m;
    // Read both inputs before writing: callers transform vertices in place.
    const float x = point->x;
    const float y = point->y;
    out->x = (x * m[0][0] + y * m[1][0]) + m[2][0];
    out->y = (x * m[0][1] + y * m[1][1]) + m[2][1];
    return 1;
}

int32_t MultiplyMatrix3x3(const Matrix3x3* a, const Matrix3x3* b, Matrix3x3* out) {
    if (a == nullptr || b == nullptr || out == nullptr) {
        return 0;
    }
    Matrix3x3 product{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 3; ++k) {
                sum += a->m[i][k] * b->m[k][j];
            }
            product.m[i][j] = sum;
        }
    }
    *out = product;
    return 1;
}

int32_t MultiplyVectorMatrix3x3(const Vector3D* v, const Matrix3x3* m, Vector3D* out) {
    if (v == nullptr || m == nullptr || out == nullptr) {
        return 0;
    }
    Vector3D product{};
    for (int i = 0; i < 3; ++i) {
        float sum = 0.0f;
        for (int j = 0; j < 3; ++j) {
            sum += v->v[j] * m->m[j][i];
        }
        product.v[i] = sum;
    }
    *out = product;
    return 1;
}

int32_t FastDistance2D(int32_t dx, int32_t dy) {
    // 64 bits: |INT32_MIN| and the sum of two large sides do not fit in 32.
    const int64_t x = std::llabs(int64_t{dx});
    const int64_t y = std::llabs(int64_t{dy});
    const int64_t n = std::min(x, y);
    const int64_t length = x + y - (n >> 1) - (n >> 2) + (n >> 4);
    return static_cast<int32_t>(std::min<int64_t>(length, std::numeric_limits<int32_t>::max()));
}

namespace {

// |value| x 1024, truncated; saturated so that huge, infinite or NaN sides stay defined.
int64_t ScaledSide(float value) {
    constexpr double limit = 1e15;  // far above any real side, far below the int64 range
    const double scaled = std::fabs(static_cast<double>(value)) * 1024.0;
    if (!(scaled < limit)) {
        return static_cast<int64_t>(limit);
    }
    return static_cast<int64_t>(scaled);
}

}  // namespace

float FastDistance3D(float dx, float dy, float dz) {
    int64_t a = ScaledSide(dx);
    int64_t b = ScaledSide(dy);
    int64_t c = ScaledSide(dz);
    // Three compare-and-swaps sort a <= b <= c.
    if (b < a) std::swap(a, b);
    if (c < b) std::swap(b, c);
    if (b < a) std::swap(a, b);
    return static_cast<float>((c + 11 * (b >> 5) + (a >> 2)) >> 10);
}
