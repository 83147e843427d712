#pragma once

// An icon whose images are made the first time it is drawn, measured or
// asked about. A style's standard icon decodes every size of its pictures
// when it is made; a menu's icons need none of them before the menu opens.

#include <QIcon>
#include <QStyle>

#include <functional>

namespace zelvik {

// Stands for `make()` in every use; `make` runs once, at the first use.
QIcon deferredIcon(std::function<QIcon()> make);

// The style's standard icon `which`, made at its first use.
QIcon deferredStandardIcon(const QStyle* style, QStyle::StandardPixmap which);

// The same for a button's small icon. Without an icon theme, the style's
// small pixmap draws it at its size: the whole icon, which decodes every size
// of its pictures, is made only for another size, state or screen.
QIcon smallStandardIcon(const QStyle* style, QStyle::StandardPixmap which);

} // namespace zelvik
