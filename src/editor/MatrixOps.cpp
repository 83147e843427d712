#include "editor/MatrixOps.h"

namespace zelvik {

namespace {

// new(x, y) = old(x + dx, y + dy); pixels taken from outside the matrix are clear.
void shift(PixelMatrix& m, int dx, int dy) {
    const PixelMatrix old = m;
    for (int x = 0; x < kMatrixEdge; ++x) {
        for (int y = 0; y < kMatrixEdge; ++y) {
            const int sx = x + dx;
            const int sy = y + dy;
            const bool inside = sx >= 0 && sx < kMatrixEdge && sy >= 0 && sy < kMatrixEdge;
            m[pixelIndex(x, y)] = inside ? old[pixelIndex(sx, sy)] : 0;
        }
    }
}

} // namespace

void clearMatrix(PixelMatrix& m) {
    m.fill(0);
}
void shiftUp(PixelMatrix& m) {
    shift(m, 0, 1);
}
void shiftDown(PixelMatrix& m) {
    shift(m, 0, -1);
}
void shiftLeft(PixelMatrix& m) {
    shift(m, 1, 0);
}
void shiftRight(PixelMatrix& m) {
    shift(m, -1, 0);
}

} // namespace zelvik
