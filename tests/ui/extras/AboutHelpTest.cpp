// The About box and splash (shape, colours, hiding on deactivation, e-mail links) and the help
// command (which file it opens, the message when it cannot).

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/ui/ModalDialogs.h"
#include "ui/platform/Help.h"
#include "ui/windows/Unit5.h"
#include "ui/windows/Unit6.h"

// Stands in for the desktop's mail client and browser.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public Q_SLOTS:
    void Open(const QUrl& url) { urls << url; }
};

class AboutHelpTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void roundedBorderlessBlackWindows_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QSize>("size");
        QTest::newRow("About box") << "about" << QSize(363, 303);
        QTest::newRow("splash") << "splash" << QSize(456, 212);
    }
    void roundedBorderlessBlackWindows() {
        QFETCH(QString, window);
        QFETCH(QSize, size);
        std::unique_ptr<QWidget> w;
        if (window == QLatin1String("about")) {
            w = std::make_unique<TForm5>();
        } else {
            w = std::make_unique<TForm6>();
        }
        QCOMPARE(w->size(), size);
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(w->palette().color(QPalette::Window), QColor(Qt::black));
        const QRegion mask = w->mask();
        const int right = size.width() - 1;
        const int bottom = size.height() - 1;
        // Corners cut by the quarter ellipses of 50 x 50, edges and middle kept.
        for (QPoint cut :
             {QPoint(1, 1), QPoint(right - 1, 1), QPoint(1, bottom - 1), QPoint(right - 1, bottom - 1)}) {
            QVERIFY2(!mask.contains(cut),
                     qPrintable(QStringLiteral("corner %1,%2").arg(cut.x()).arg(cut.y())));
        }
        for (QPoint kept : {QPoint(25, 1), QPoint(1, 25), QPoint(right - 25, bottom - 1),
                            QPoint(size.width() / 2, size.height() / 2), QPoint(8, 8)}) {
            QVERIFY2(mask.contains(kept),
                     qPrintable(QStringLiteral("point %1,%2").arg(kept.x()).arg(kept.y())));
        }
    }

    void aboutBoxHidesWhenItLosesActivation() {
        TForm5 about;
        QWidget other;
        other.resize(100, 100);
        other.show();
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(!about.isVisible());

        // Shown again, it is the same box, and it hides again on the next deactivation.
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QVERIFY(about.isVisible());
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(&about, &deactivate);
        QVERIFY(!about.isVisible());
    }

    void emailLabelsOpenMailtoLinks() {
        UrlCatcher mail;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &mail, "Open");
        TForm5 about;
        QCOMPARE(about.Label8->text(), TForm5::ContactAddress1());
        QCOMPARE(about.Label9->text(), TForm5::ContactAddress2());
        QVERIFY(TForm5::ContactAddress1().contains(QLatin1Char('@')));
        QCOMPARE(about.Label8->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(about.Label8, Qt::LeftButton);
        QTest::mouseClick(about.Label9, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QCOMPARE(mail.urls, (QList<QUrl>{QUrl(QStringLiteral("mailto:") + TForm5::ContactAddress1()),
                                         QUrl(QStringLiteral("mailto:") + TForm5::ContactAddress2())}));
    }

    void helpOpensHelpHtmFromTheCurrentDirectoryFirst() {
        QTemporaryDir dir;
        QFile local(dir.filePath(QStringLiteral("HELP.htm")));
        QVERIFY(local.open(QIODevice::WriteOnly));
        local.close();
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        UrlCatcher browser;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "Open");
        ModalWatcher watcher;
        OpenHelpPage(nullptr);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDir::setCurrent(before);
        QCOMPARE(browser.urls, QList<QUrl>{QUrl::fromLocalFile(QFileInfo(local).absoluteFilePath())});
        QCOMPARE(watcher.Texts(), QStringList{});
    }

    void helpFallsBackToTheShippedPage() {
        QTemporaryDir empty;
        const QString before = QDir::currentPath();
        QDir::setCurrent(empty.path());
        const QString found = FindHelpFile();
        QDir::setCurrent(before);
        QVERIFY2(!found.isEmpty(), "no HELP.htm beside the program or in its share/vornik");
        QVERIFY(!found.startsWith(empty.path()));
        QFile page(found);
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray html = page.readAll();
        QVERIFY(html.contains("<meta charset=\"utf-8\">"));
        // Russian text that survives a round trip through UTF-8.
        const QString text = QString::fromUtf8(html);
        QCOMPARE(text.toUtf8(), html);
        QVERIFY(text.contains(QStringLiteral("Векторная диаграмма")));
    }

    void oneMessageWhenNoBrowserStarts() {
        // The offscreen platform has no browser: openUrl fails.
        ModalWatcher watcher;
        OpenHelpPage(nullptr);
        QCOMPARE(watcher.boxes.size(), 1);
        QVERIFY(watcher.boxes.front().text.contains(QStringLiteral("браузер")));
        // The box names the file; a folder name is no markup.
        QCOMPARE(watcher.boxes.front().format, Qt::PlainText);
    }

    void oneMessageWhenTheFileIsMissing() {
        UrlCatcher browser;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "Open");
        ModalWatcher watcher;
        OpenHelpFile(nullptr, QString());
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(browser.urls, QList<QUrl>{});
        QCOMPARE(watcher.boxes.size(), 1);
        QVERIFY(watcher.boxes.front().text.contains(QStringLiteral("не найден")));
    }
};

QTEST_MAIN(AboutHelpTest)
#include "AboutHelpTest.moc"
