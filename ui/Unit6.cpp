#include "ui/Unit6.h"

#include <QLabel>

#include "ui/ExtrasUi.h"
#include "ui/RoundedWindow.h"

namespace {

constexpr int kClientWidth = 456;
constexpr int kClientHeight = 212;
constexpr int kPicture = 175;

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

}  // namespace

TForm6::TForm6(QWidget* parent) : QWidget(parent) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(kClientWidth, kClientHeight);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    auto* image = new QLabel(this);  // Image1
    image->setPixmap(PhasorEmblem(kPicture));
    image->setGeometry(16, (kClientHeight - kPicture) / 2, kPicture, kPicture);

    const QColor lime(0, 255, 0);
    ColouredLabel(this, QStringLiteral("Vornik"), PixelFont(QStringLiteral("Arial"), 35, true), lime, 206,
                  22);
    ColouredLabel(this, QStringLiteral("(Three phase chains)"),
                  PixelFont(QStringLiteral("Times New Roman"), 24, true), lime, 206, 74);
    ColouredLabel(this, QStringLiteral(" Version 2.2"), PixelFont(QStringLiteral("MS Sans Serif"), 24, true),
                  QColor(255, 255, 0), 200, 112);
    ColouredLabel(this, QStringLiteral("  Load..."), PixelFont(QStringLiteral("Times New Roman"), 13, false),
                  QColor(255, 0, 0), 340, 176);

    // FormCreate
    ApplyRoundedShape(this);
    CentreOnScreen(this);
}
