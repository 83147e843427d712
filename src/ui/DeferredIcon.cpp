#include "ui/DeferredIcon.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>

#include <memory>
#include <optional>

namespace zelvik {

namespace {

// The icon made, shared by the engine and its clones so that it is made once.
// `quick`, when set, answers a plain request at one size without the icon.
struct MadeIcon {
    std::function<QIcon()> make;
    std::optional<QIcon> icon;
    std::function<QPixmap()> quick;
    std::optional<QPixmap> quickPixmap;

    bool answersQuickly(const QSize& size, QIcon::Mode mode, QIcon::State state) {
        return quick && !icon && mode == QIcon::Normal && state == QIcon::Off &&
               !(qApp->devicePixelRatio() > 1.0) && quickly().size() == size;
    }

    const QPixmap& quickly() {
        if (!quickPixmap)
            quickPixmap = quick();
        return *quickPixmap;
    }

    const QIcon& get() {
        if (!icon)
            icon = make();
        return *icon;
    }
};

// Forwards every question to the made icon. The made icon answers for a
// device pixel ratio of 1 here: QIcon has already scaled the request for the
// screen before it reaches an engine.
class DeferredIconEngine final : public QIconEngine {
public:
    explicit DeferredIconEngine(std::shared_ptr<MadeIcon> made) : made_(std::move(made)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        if (made_->answersQuickly(rect.size(), mode, state)) {
            painter->drawPixmap(rect, made_->quickly());
            return;
        }
        // The rect is already the icon's actual size, aligned by QIcon.
        made_->get().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (made_->answersQuickly(size, mode, state))
            return made_->quickly().size();
        // Asked at a ratio of 1, the icon answers its engine's size itself;
        // at any other, the pixmap of that size is the engine's answer.
        if (!(qApp->devicePixelRatio() > 1.0))
            return made_->get().actualSize(size, mode, state);
        return made_->get().pixmap(size, 1.0, mode, state).size();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (made_->answersQuickly(size, mode, state))
            return made_->quickly();
        return made_->get().pixmap(size, 1.0, mode, state);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        if (!(scale > 1.0))
            return pixmap(size, mode, state);
        return made_->get().pixmap(size / scale, scale, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return made_->get().availableSizes(mode, state);
    }

    QString iconName() override { return made_->get().name(); }

    bool isNull() override {
        return made_->icon || !made_->quick ? made_->get().isNull() : made_->quickly().isNull();
    }

    QString key() const override { return QStringLiteral("zelvik-deferred"); }

    QIconEngine* clone() const override { return new DeferredIconEngine(made_); }

private:
    std::shared_ptr<MadeIcon> made_;
};

// The icon of `make`, with `quick` for its plain request at one size.
QIcon iconMadeLater(std::function<QIcon()> make, std::function<QPixmap()> quick = {}) {
    auto made = std::make_shared<MadeIcon>();
    made->make = std::move(make);
    made->quick = std::move(quick);
    return QIcon(new DeferredIconEngine(std::move(made)));
}

std::function<QIcon()> standardIconOf(const QStyle* style, QStyle::StandardPixmap which) {
    return [style = QPointer<const QStyle>(style), which] {
        return style ? style->standardIcon(which) : QIcon();
    };
}

} // namespace

QIcon deferredIcon(std::function<QIcon()> make) {
    return iconMadeLater(std::move(make));
}

QIcon deferredStandardIcon(const QStyle* style, QStyle::StandardPixmap which) {
    return iconMadeLater(standardIconOf(style, which));
}

QIcon smallStandardIcon(const QStyle* style, QStyle::StandardPixmap which) {
    // An icon theme may give the icon pictures of its own, which only the
    // whole icon knows.
    if (!QIcon::themeName().isEmpty())
        return deferredStandardIcon(style, which);
    return iconMadeLater(standardIconOf(style, which),
                         [style = QPointer<const QStyle>(style), which] {
                             return style ? style->standardPixmap(which) : QPixmap();
                         });
}

} // namespace zelvik
