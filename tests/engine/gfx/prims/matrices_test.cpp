#include "engine/gfx/prims/matrices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(MatricesTest, PointTimesMatrixAddsTheTranslationLast) {
    Matrix3x2 m{};
    EXPECT_EQ(SetMatrix3x2(&m, 1, 0, 0, 1, 5, 6), 1);
    Point2D p{2, 3};
    Point2D out{};
    EXPECT_EQ(MultiplyPointMatrix3x2(&p, &m, &out), 1);
    EXPECT_EQ(out.x, 7);
    EXPECT_EQ(out.y, 9);

    // A general matrix, and the product written over its own input.
    SetMatrix3x2(&m, 2, -1, 0.5f, 3, 10, -20);
    EXPECT_EQ(MultiplyPointMatrix3x2(&p, &m, &p), 1);
    EXPECT_EQ(p.x, 2 * 2 + 3 * 0.5f + 10);
    EXPECT_EQ(p.y, 2 * -1 + 3 * 3 - 20);
    EXPECT_EQ(SetMatrix3x2(nullptr, 1, 0, 0, 1, 0, 0), 0);
    EXPECT_EQ(MultiplyPointMatrix3x2(&p, nullptr, &out), 0);
}

TEST(MatricesTest, ThreeByThreeProductsAreRowByColumn) {
    const Matrix3x3 a{{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}};
    const Matrix3x3 b{{{9, 8, 7}, {6, 5, 4}, {3, 2, 1}}};
    Matrix3x3 out{};
    EXPECT_EQ(MultiplyMatrix3x3(&a, &b, &out), 1);
    const Matrix3x3 expected{{{30, 24, 18}, {84, 69, 54}, {138, 114, 90}}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_EQ(out.m[i][j], expected.m[i][j]) << i << j;

    // In place: a = a x b gives the same product.
    Matrix3x3 inPlace = a;
    MultiplyMatrix3x3(&inPlace, &b, &inPlace);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_EQ(inPlace.m[i][j], expected.m[i][j]);

    Vector3D v{{1, 0, -1}};
    EXPECT_EQ(MultiplyVectorMatrix3x3(&v, &a, &v), 1);
    EXPECT_EQ(v.v[0], -6);
    EXPECT_EQ(v.v[1], -6);
    EXPECT_EQ(v.v[2], -6);
    EXPECT_EQ(MultiplyMatrix3x3(&a, &b, nullptr), 0);
    EXPECT_EQ(MultiplyVectorMatrix3x3(nullptr, &a, &v), 0);
}

TEST(MatricesTest, FastDistance2DMatchesItsShiftFormula) {
    EXPECT_EQ(FastDistance2D(3, 4), 6);
    EXPECT_EQ(FastDistance2D(10, 0), 10);
    EXPECT_EQ(FastDistance2D(-10, -10), 13);
    EXPECT_EQ(FastDistance2D(0, 0), 0);
    EXPECT_EQ(FastDistance2D(-300, 400), 700 - 150 - 75 + 18);
    // The extremes neither overflow nor go negative.
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(FastDistance2D(kMin, kMin), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(FastDistance2D(kMin, 0), std::numeric_limits<int32_t>::max());
}

TEST(MatricesTest, FastDistance3DIsAWholeNumberNearTheLength) {
    EXPECT_EQ(FastDistance3D(0, 0, 5), 5.0f);
    EXPECT_EQ(FastDistance3D(1, 1, 1), 1.0f);
    EXPECT_EQ(FastDistance3D(-5, 0, 0), 5.0f);
    EXPECT_EQ(FastDistance3D(0, 0, 0), 0.0f);
    const float d = FastDistance3D(30, -40, 120);
    EXPECT_EQ(d, std::floor(d));
    EXPECT_NEAR(d, 130, 130 * 0.1);
    // Huge, infinite and NaN sides stay defined.
    EXPECT_TRUE(std::isfinite(FastDistance3D(1e30f, 0, 0)));
    EXPECT_TRUE(std::isfinite(FastDistance3D(INFINITY, NAN, 1)));
}

}  // namespace
