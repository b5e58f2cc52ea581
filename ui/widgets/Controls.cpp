#include "ui/widgets/Controls.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>

namespace {

constexpr int kSeparatorPitch = 4;

}  // namespace

QFont PixelFont(const QString& family, int pixels, bool bold) {
    QFont font;
    if (family == QLatin1String("Times New Roman")) {
        font.setFamilies({family, QStringLiteral("Liberation Serif")});
    } else {
        font.setFamilies({family, QStringLiteral("Liberation Sans")});
    }
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFrame* Bevel(QWidget* parent, int x, int y, int width, int height) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(x, y, width, height);
    return frame;
}

QLabel* Caption(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLabel* ColouredLabel(QWidget* parent, const QString& text, const QFont& font, const QColor& colour, int x,
                      int y) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLabel* PictureLabel(QWidget* parent, const QPixmap& picture, int x, int y) {
    auto* label = new QLabel(parent);
    label->setPixmap(picture);
    label->setGeometry(x, y, picture.width(), picture.height());
    return label;
}

QToolButton* GlyphButton(QWidget* parent, const QRect& geometry, const QIcon& glyph, int iconSize) {
    auto* button = new QToolButton(parent);
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    button->setIcon(glyph);
    button->setIconSize(QSize(iconSize, iconSize));
    return button;
}

ButtonStrip::ButtonStrip(QWidget* strip, int buttonSize, int iconSize, int top)
    : strip_(strip), buttonSize_(buttonSize), iconSize_(iconSize), top_(top) {}

QToolButton* ButtonStrip::AddButton(const char* name, const QString& hint, Glyph glyph) {
    QToolButton* button = GlyphButton(strip_, QRect(x_, top_, buttonSize_, buttonSize_),
                                      GlyphIcon(glyph, iconSize_), iconSize_);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    x_ += buttonSize_;
    return button;
}

void ButtonStrip::AddSeparator(int top, int height, const char* name) {
    auto* line = new QFrame(strip_);
    if (name != nullptr) {
        line->setObjectName(QString::fromLatin1(name));
    }
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(x_ + 1, top, 2, height);
    x_ += kSeparatorPitch;
}

void NameControls(std::initializer_list<std::pair<QWidget*, const char*>> names) {
    for (const auto& [widget, name] : names) {
        widget->setAccessibleName(QString::fromUtf8(name));
    }
}
