// Matrix helpers of the D3DX stand-in. Row-vector convention: a point is
// transformed as v * M, so translations sit in the fourth row.
#include "engine/d3dx/D3dx8.h"

#include <cmath>
#include <cstring>

namespace {

D3DXMATRIX* identity(D3DXMATRIX* out) {
    std::memset(out->m, 0, sizeof out->m);
    out->_11 = out->_22 = out->_33 = out->_44 = 1.0f;
    return out;
}

} // namespace

D3DXMATRIX* WINAPI D3DXMatrixOrthoOffCenterLH(D3DXMATRIX* pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t,
                                              FLOAT zn, FLOAT zf) {
    identity(pOut);
    pOut->_11 = 2.0f / (r - l);
    pOut->_22 = 2.0f / (t - b);
    pOut->_33 = 1.0f / (zf - zn);
    pOut->_41 = (l + r) / (l - r);
    pOut->_42 = (t + b) / (b - t);
    pOut->_43 = zn / (zn - zf);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixScaling(D3DXMATRIX* pOut, FLOAT sx, FLOAT sy, FLOAT sz) {
    identity(pOut);
    pOut->_11 = sx;
    pOut->_22 = sy;
    pOut->_33 = sz;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixTranslation(D3DXMATRIX* pOut, FLOAT x, FLOAT y, FLOAT z) {
    identity(pOut);
    pOut->_41 = x;
    pOut->_42 = y;
    pOut->_43 = z;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixRotationZ(D3DXMATRIX* pOut, FLOAT angle) {
    identity(pOut);
    const float c = std::cos(angle), s = std::sin(angle);
    pOut->_11 = c;
    pOut->_12 = s;
    pOut->_21 = -s;
    pOut->_22 = c;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixMultiply(D3DXMATRIX* pOut, const D3DXMATRIX* pM1,
                                      const D3DXMATRIX* pM2) {
    // Through a copy, because pOut may be one of the inputs.
    float product[4][4];
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += pM1->m[row][k] * pM2->m[k][col];
            }
            product[row][col] = sum;
        }
    }
    std::memcpy(pOut->m, product, sizeof product);
    return pOut;
}
