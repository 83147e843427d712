#pragma once

// The sample text strip under the editor: a line of text set in the stored
// characters at their real size. Only the slots are read, so drawing that has
// not been saved into its slot never shows here.

#include "font/FontModel.h"

#include <QImage>

#include <string_view>

namespace zelvik {

constexpr int kSampleStripWidth = 762;
constexpr int kSampleStripHeight = 50;
constexpr int kMaxSampleTextLength = 128;

// The strip for `text` (Windows-1250 bytes, read up to the first zero byte):
// white with a one-pixel black frame, the defined characters of the text side
// by side with one clear column after each, the whole run centred. Undefined
// codes take no room; columns outside the strip are dropped on either side.
// 24 bits per pixel, `width` by `height`.
QImage renderSampleStrip(const FontModel& font, std::string_view text,
                         int width = kSampleStripWidth, int height = kSampleStripHeight);

// Every pixel of `image` as a `factor` by `factor` block; a factor below 2
// gives the image back as it is.
QImage scaleUp(const QImage& image, int factor);

} // namespace zelvik
