// TForm5: the About box.
#include "ui/windows/Unit5.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>

#include "solver/Version.h"
#include "ui/widgets/Controls.h"
#include "ui/widgets/Emblem.h"
#include "ui/widgets/RoundedWindow.h"

#ifndef VORNIK_CONTACT_EMAIL1
#define VORNIK_CONTACT_EMAIL1 "vornik@example.org"
#endif
#ifndef VORNIK_CONTACT_EMAIL2
#define VORNIK_CONTACT_EMAIL2 "support@example.org"
#endif

namespace {

constexpr int kClientWidth = 363;
constexpr int kClientHeight = 303;
constexpr int kTopPicture = 133;
constexpr int kBottomPicture = 127;
const QColor kLime(0, 255, 0);
const QColor kYellow(255, 255, 0);
const QColor kTeal(0, 128, 128);

// Three phase voltages over one period, the picture in the bottom right corner.
QPixmap WavesPicture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::black);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal mid = size / 2.0;
    const qreal amplitude = size * 0.36;
    p.setPen(QPen(QColor(0, 110, 0), 1, Qt::DotLine));
    p.drawLine(QPointF(4, mid), QPointF(size - 4, mid));
    const QColor colours[] = {QColor(255, 255, 0), QColor(0, 255, 0), QColor(0, 200, 255)};
    for (int phase = 0; phase < 3; ++phase) {
        QPainterPath wave;
        for (int x = 6; x <= size - 6; ++x) {
            const qreal angle = 2 * M_PI * (x - 6) / (size - 12) - phase * 2 * M_PI / 3;
            const QPointF point(x, mid - amplitude * std::sin(angle));
            if (x == 6) {
                wave.moveTo(point);
            } else {
                wave.lineTo(point);
            }
        }
        p.setPen(QPen(colours[phase], 2));
        p.drawPath(wave);
    }
    return picture;
}

}  // namespace

TForm5::TForm5(QWidget* parent) : OnDemandWindow(parent) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("О программе!"));
    // FormCreate: the shape.
    MakeRoundedBlackWindow(this, kClientWidth, kClientHeight);
}

void TForm5::BuildControls() {
    PictureLabel(this, PhasorEmblem(kTopPicture), 14, 14);  // Image2
    ColouredLabel(this, QStringLiteral("Vornik"), PixelFont(QStringLiteral("Arial"), 29, true), kLime, 160,
                  24);  // Label1
    ColouredLabel(this, QStringLiteral("(Three phase chains)"),
                  PixelFont(QStringLiteral("Times New Roman"), 19, true), kLime, 160, 66);  // Label2
    ColouredLabel(this, QStringLiteral("Version ") + QLatin1String(vornik::kVersion),
                  PixelFont(QStringLiteral("MS Sans Serif"), 19, true), kYellow, 160, 96);  // Label3
    ColouredLabel(this, QStringLiteral("E-mail"), PixelFont(QStringLiteral("MS Sans Serif"), 13, true), kLime,
                  22, 176);  // Label10

    QFont link = PixelFont(QStringLiteral("MS Sans Serif"), 13, true);
    link.setUnderline(true);
    const QString hint =
        QStringLiteral("Свои пожелания, найденные ошибки и прочее отправляйте по данному адресу ");
    Label8 = ColouredLabel(this, ContactAddress1(), link, kTeal, 22, 196);
    Label9 = ColouredLabel(this, ContactAddress2(), link, kTeal, 22, 214);
    for (QLabel* address : {Label8.get(), Label9.get()}) {
        address->setCursor(Qt::PointingHandCursor);
        address->setToolTip(hint);
        address->installEventFilter(this);
    }
    PictureLabel(this, WavesPicture(kBottomPicture), kClientWidth - kBottomPicture - 14,
                 kClientHeight - kBottomPicture - 14);  // Image1
}

QString TForm5::ContactAddress1() {
    return QStringLiteral(VORNIK_CONTACT_EMAIL1);
}

QString TForm5::ContactAddress2() {
    return QStringLiteral(VORNIK_CONTACT_EMAIL2);
}

void TForm5::Label8Click() {
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + Label8->text()));
}

void TForm5::Label9Click() {
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + Label9->text()));
}

void TForm5::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    CentreOnScreen(this);
    // Without a caption bar there is no close button: the box must become active so that
    // clicking anywhere else hides it again.
    raise();
    activateWindow();
}

bool TForm5::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) {
        hide();
    }
    return QWidget::event(event);
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Label8) {
            Label8Click();
            return true;
        }
        if (watched == Label9) {
            Label9Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm5::keyPressEvent(QKeyEvent* event) {
    // Escape closes the box as well as clicking elsewhere.
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}
