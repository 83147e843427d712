#pragma once

// Windows bitmap files of 1 bit per pixel, written by our own code so that
// every header field is what image readers expect, whatever Qt's own BMP
// writer would choose.

#include <QByteArray>
#include <QImage>

namespace zelvik {

// The bytes of an uncompressed 1 bit per pixel BMP file of `picture`, which
// must have the format QImage::Format_Mono and a colour table of two entries:
// a 14-byte file header, a 40-byte info header with zero resolution, "2
// colours used", the two colours, then the pixel rows bottom row first, each
// padded to a multiple of 4 bytes. Empty when the picture is not of that kind.
QByteArray monoBmpBytes(const QImage& picture);

} // namespace zelvik
