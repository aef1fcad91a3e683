#include "engine/d3dx/D3dx8.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>

namespace {

using Vec4 = std::array<float, 4>;

// Row vector times matrix, the convention the device uses.
Vec4 transform(const D3DXMATRIX& m, float x, float y, float z) {
    const float v[4] = {x, y, z, 1.0f};
    Vec4 out{};
    for (int col = 0; col < 4; ++col) {
        for (int k = 0; k < 4; ++k) {
            out[std::size_t(col)] += v[k] * m.m[k][col];
        }
    }
    return out;
}

D3DXMATRIX scaling(float x, float y, float z) {
    D3DXMATRIX m;
    return *D3DXMatrixScaling(&m, x, y, z);
}

D3DXMATRIX translation(float x, float y, float z) {
    D3DXMATRIX m;
    return *D3DXMatrixTranslation(&m, x, y, z);
}

D3DXMATRIX product(const D3DXMATRIX& a, const D3DXMATRIX& b) {
    D3DXMATRIX m;
    return *D3DXMatrixMultiply(&m, &a, &b);
}

D3DXMATRIX rotation(float angle) {
    D3DXMATRIX m;
    return *D3DXMatrixRotationZ(&m, angle);
}

D3DXMATRIX ortho(float l, float r, float b, float t, float zn, float zf) {
    D3DXMATRIX m;
    return *D3DXMatrixOrthoOffCenterLH(&m, l, r, b, t, zn, zf);
}

struct Case {
    const char* name;
    std::function<D3DXMATRIX()> make;
    float x, y, z;
    Vec4 expected;
};

const float kPi = 3.14159265358979f;

TEST(D3dx8MatrixWin32Test, MapsPointsToHandComputedPositions) {
    const Case cases[] = {
        {"scaling", [] { return scaling(2, -3, 4); }, 1, 2, 3, {2, -6, 12, 1}},
        {"translation", [] { return translation(10, 20, 30); }, 1, 2, 3, {11, 22, 33, 1}},
        {"quarter turn takes x to y", [] { return rotation(kPi / 2); }, 1, 0, 0, {0, 1, 0, 1}},
        {"quarter turn takes y to -x", [] { return rotation(kPi / 2); }, 0, 1, 0, {-1, 0, 0, 1}},
        {"rotation keeps z", [] { return rotation(1.0f); }, 0, 0, 5, {0, 0, 5, 1}},
        {"scale first, then translate",
         [] { return product(scaling(2, 3, 1), translation(10, 20, 0)); },
         1,
         1,
         0,
         {12, 23, 0, 1}},
        {"translate first, then scale",
         [] { return product(translation(10, 20, 0), scaling(2, 3, 1)); },
         1,
         1,
         0,
         {22, 63, 0, 1}},
        {"ortho bottom-left near",
         [] { return ortho(0, 800, 0, 600, 0, 1); },
         0,
         0,
         0,
         {-1, -1, 0, 1}},
        {"ortho top-right far",
         [] { return ortho(0, 800, 0, 600, 0, 1); },
         800,
         600,
         1,
         {1, 1, 1, 1}},
        {"ortho off centre",
         [] { return ortho(-10, 30, -60, -20, 2, 6); },
         10,
         -40,
         4,
         {0, 0, 0.5f, 1}},
        {"ortho centre of a flipped box",
         [] { return ortho(0, 40, -40, 0, 0, 1); },
         30,
         -10,
         0,
         {0.5f, 0.5f, 0, 1}},
    };
    for (const Case& c : cases) {
        const Vec4 got = transform(c.make(), c.x, c.y, c.z);
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_NEAR(got[i], c.expected[i], 1e-5f) << c.name << ", component " << i;
        }
    }
}

TEST(D3dx8MatrixWin32Test, ProductMayOverwriteItsInputs) {
    D3DXMATRIX a = scaling(2, 3, 1);
    const D3DXMATRIX b = translation(10, 20, 0);
    D3DXMatrixMultiply(&a, &a, &b);
    EXPECT_EQ(transform(a, 1, 1, 0), (Vec4{12, 23, 0, 1}));

    D3DXMATRIX c = translation(10, 20, 0);
    const D3DXMATRIX s = scaling(2, 3, 1);
    D3DXMatrixMultiply(&c, &s, &c);
    EXPECT_EQ(transform(c, 1, 1, 0), (Vec4{12, 23, 0, 1}));
}

TEST(D3dx8MatrixWin32Test, LaysOutLikeTheDeviceMatrix) {
    // The device reads the matrix through D3DMATRIX: translation in the fourth row.
    const D3DXMATRIX t = translation(7, 8, 9);
    const D3DMATRIX& asDevice = t;
    EXPECT_EQ(sizeof(D3DXMATRIX), sizeof(D3DMATRIX));
    EXPECT_EQ(asDevice._41, 7.0f);
    EXPECT_EQ(asDevice._42, 8.0f);
    EXPECT_EQ(asDevice._43, 9.0f);
    EXPECT_EQ(asDevice._14, 0.0f);
}

} // namespace
