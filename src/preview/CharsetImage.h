#pragma once

// "Generate charset image": all 256 codes in a 16 by 16 table with
// hexadecimal row and column labels, as a 640 by 640 picture of 1 bit per
// pixel and as the BMP file that holds it. Only the slots are read.

#include "font/FontModel.h"
#include "font/Result.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace zelvik {

constexpr int kCharsetImageSize = 640;
inline const QString kCharsetImageFilter =
    QStringLiteral("Bitmap picture 1bit/pixel  (*.bmp)|*.bmp");
inline const QString kCharsetImageExtension = QStringLiteral(".bmp");
inline const QString kGeneratingCharsetImageCaption =
    QStringLiteral("Generating charset image ...");
// The labels are set in the typeface of the editor's fields, asked for by
// name; where it is missing the system puts a similar one in its place.
inline const QString kLabelTypeface = QStringLiteral("Tahoma");

// The table without its labels: 640 * 640 bytes, row by row from the top,
// 255 white and 0 black. Every code is drawn, defined or not, so that ink a
// font file left in an unnamed slot is seen.
std::vector<std::uint8_t> charsetRaster(const FontModel& font);

// The whole picture with its labels, QImage::Format_Mono with the colour
// table black, white. Needs a QGuiApplication for the labels' font.
QImage charsetImage(const FontModel& font, const QString& typeface = kLabelTypeface);

// Writes charsetImage() as a BMP file to `path`, replacing any file there at
// once or not at all. The failure names the file.
Result<> writeCharsetImage(const FontModel& font, const QString& path,
                           const QString& typeface = kLabelTypeface);

} // namespace zelvik
