// The diagram window on a screen scaled to 200 %: the picture that is saved keeps the pixels of
// an unscaled screen, while the window shows the drawing made at the screen's resolution.

#include <QtTest>

#include "canvas/QtDiagramCanvas.h"
#include "diagram/Diagram.h"
#include "diagram/DiagramDrawing.h"
#include "ui/app/Forms.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit7.h"

namespace {

constexpr qreal kRatio = 2;

// An unbalanced star, so the diagram has phasors of several lengths and directions and labels.
void FillNormalMode() {
    vornik::SolutionRecord& s = AppState().modeSlots.at(0);
    s.fill(0);
    s[vornik::UaRe] = 380;
    s[vornik::UbRe] = -190;
    s[vornik::UbIm] = -329;
    s[vornik::UcRe] = -190;
    s[vornik::UcIm] = 329;
    s[vornik::UaLoadRe] = 300;
    s[vornik::UaLoadIm] = 40;
    s[vornik::UbLoadRe] = -240;
    s[vornik::UbLoadIm] = -300;
    s[vornik::UcLoadRe] = -150;
    s[vornik::UcLoadIm] = 360;
    s[vornik::IaRe] = 12;
    s[vornik::IbRe] = -4;
    s[vornik::IbIm] = -7;
    s[vornik::IcRe] = -6;
    s[vornik::IcIm] = 9;
}

QImage Rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class DiagramHighDpiTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() {
        Form3 = new TForm3;
        Form7 = new TForm7;
        Form3->RadioButton1->setChecked(true);
        FillNormalMode();
        Form7->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form7));
        QCOMPARE(Form7->devicePixelRatioF(), kRatio);
        // The window's canvas so far: the captions' face, the empty plane, then the normal
        // voltages of its showing.
        vornik::StartCanvas(unscaled_);
        vornik::StartCanvas(sharp_);
        vornik::ClearDiagram(unscaled_);
        vornik::ClearDiagram(sharp_);
        DrawBoth(1);
    }
    void cleanupTestCase() {
        delete Form7;
        delete Form3;
        Form7 = nullptr;
        Form3 = nullptr;
    }

    void savedPictureKeepsItsPixels_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("voltages") << 1;
        QTest::newRow("currents") << 2;
    }

    void savedPictureKeepsItsPixels() {
        QFETCH(int, button);
        const int draws = Form7->DrawCount();
        Form7->RadioButton(button)->setChecked(true);
        if (Form7->DrawCount() != draws) {
            DrawBoth(button);
        }

        const vornik::RgbPicture saved = Form7->Canvas().Picture();
        QCOMPARE(saved.width, 400);
        QCOMPARE(saved.height, 400);
        QVERIFY(saved.rgb == unscaled_.Picture().rgb);

        // On screen: the diagram drawn at twice the resolution, not the picture blown up.
        const QImage shown = Rgb(Form7->Image1->grab().toImage());
        QCOMPARE(shown.size(), QSize(800, 800));
        QVERIFY(shown == Rgb(sharp_.Image()));
        // Scaled back down it is the picture's drawing: mostly the same pixels.
        const QImage down = shown.scaled(400, 400, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QImage picture = Rgb(Form7->Canvas().Image());
        int same = 0;
        for (int y = 0; y < 400; ++y) {
            for (int x = 0; x < 400; ++x) {
                same += down.pixel(x, y) == picture.pixel(x, y) ? 1 : 0;
            }
        }
        QVERIFY2(same > 400 * 400 * 95 / 100, qPrintable(QString::number(same)));
    }

  private:
    // The window's drawings on a canvas of an unscaled screen and on one of twice the
    // resolution (pen and font carry over from one drawing to the next, so both follow the
    // window's order).
    void DrawBoth(int button) {
        vornik::DiagramLabels labels;
        vornik::DrawSelectedDiagram(unscaled_, AppState().modeSlots, {true, false, button}, labels);
        vornik::DrawSelectedDiagram(sharp_, AppState().modeSlots, {true, false, button}, labels);
    }

    vornik::QtDiagramCanvas unscaled_;
    vornik::QtDiagramCanvas sharp_{kRatio};
};

int main(int argc, char** argv) {
    // A screen scaled to 200 % before the application starts, as the desktop would set it.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    DiagramHighDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DiagramHighDpiTest.moc"
