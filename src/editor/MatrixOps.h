#pragma once

// Whole-matrix edits of the character editor. They act on all 32 by 32 pixels,
// hidden ones included, and nothing wraps around an edge.

#include "font/FontModel.h"

namespace zelvik {

void clearMatrix(PixelMatrix& m);
void shiftUp(PixelMatrix& m);
void shiftDown(PixelMatrix& m);
void shiftLeft(PixelMatrix& m);
void shiftRight(PixelMatrix& m);

} // namespace zelvik
