// The precision settings form: its twenty combo boxes, their typing filter and the formula
// captions they stand in.

#include <QLineEdit>
#include <QtTest>

#include "ShellTestSupport.h"
#include "ui/app/Forms.h"
#include "ui/widgets/GapLayout.h"
#include "ui/windows/Unit4.h"

class ShellPrecisionFormTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        StartProgramWindows();
        Form4->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form4));
    }
    void cleanupTestCase() { DestroyWindows(); }

    void comboBoxes() {
        const QString initial = QStringLiteral("00000011333111110100");
        const QStringList items = {"0", "1", "2", "3", "4", "5"};
        for (int n = 1; n <= 20; ++n) {
            QComboBox* c = Form4->ComboBox(n);
            QCOMPARE(c->objectName(), QStringLiteral("ComboBox%1").arg(n));
            QCOMPARE(c->currentText(), QString(initial[n - 1]));
            QVERIFY(c->isEditable());
            QStringList listed;
            for (int k = 0; k < c->count(); ++k) {
                listed << c->itemText(k);
            }
            QCOMPARE(listed, items);
            QCOMPARE(c->font().family(), QStringLiteral("Times New Roman"));
            QCOMPARE(c->font().pixelSize(), 11);
        }
        QCOMPARE(Form4->windowTitle(), QStringLiteral("Настройка точности рассчёта"));
        QCOMPARE(Form4->size(), QSize(298, 269));
        QCOMPARE(Form4->Label1->text(), QStringLiteral("Кол-во знаков после запятой"));
    }

    // The formula labels lie under the combo boxes standing in their gaps: a click on a combo box
    // reaches the combo box.
    void comboBoxesTakeTheClicks() {
        for (int n = 1; n <= 20; ++n) {
            QComboBox* c = Form4->ComboBox(n);
            QWidget* hit = Form4->childAt(c->mapTo(Form4, c->rect().center()));
            QVERIFY2(hit == c || c->isAncestorOf(hit), qPrintable(c->objectName()));
        }
    }

    void typing_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("6 to 9 refused") << "" << false << "6789"
                                        << "";
        QTest::newRow("comma and minus refused") << "" << false << ",-."
                                                 << "";
        QTest::newRow("digit accepted") << "" << false << "4"
                                        << "4";
        QTest::newRow("one character only") << "1" << false << "3"
                                            << "1";
        QTest::newRow("selected digit replaced") << "1" << true << "5"
                                                 << "5";
        QTest::newRow("seven leaves it unchanged") << "2" << true << "7"
                                                   << "2";
    }

    void typing() {
        QFETCH(QString, start);
        QFETCH(bool, selectAll);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QComboBox* c = Form4->ComboBox(7);
        c->setEditText(start);
        c->setFocus();
        c->lineEdit()->end(false);
        if (selectAll) {
            c->lineEdit()->selectAll();
        }
        QTest::keyClicks(c, typed);
        QCOMPARE(c->currentText(), result);
    }

    void backspaceEmpties() {
        QComboBox* c = Form4->ComboBox(19);
        c->setEditText(QStringLiteral("3"));
        c->setFocus();
        c->lineEdit()->end(false);
        QTest::keyClick(c, Qt::Key_Backspace);
        QCOMPARE(c->currentText(), QString());
        c->setCurrentIndex(5);
        QCOMPARE(c->currentText(), QStringLiteral("5"));
    }

    // Each formula caption has its runs of spaces; the four combo boxes of the row stand in the
    // four long runs, left to right, inside the window.
    void formulaCaptions_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QList<int>>("runs");
        QTest::newRow("voltage") << 0 << "Напряжение "
                                 << "U=" << QList<int>{16, 1, 17, 15, 17, 2};
        QTest::newRow("impedance") << 1 << "Сопротивление"
                                   << "Z=" << QList<int>{15, 16, 17, 18};
        QTest::newRow("admittance") << 2 << "Проводимость"
                                    << "Y=" << QList<int>{16, 1, 17, 15, 17, 2};
        QTest::newRow("current") << 3 << "Ток"
                                 << "I=" << QList<int>{16, 1, 19, 15, 17, 4};
        QTest::newRow("power") << 4 << "Мощность"
                               << "S=" << QList<int>{16, 1, 16, 15, 17, 3};
    }

    void formulaCaptions() {
        QFETCH(int, row);
        QFETCH(QString, heading);
        QFETCH(QString, start);
        QFETCH(QList<int>, runs);
        QCOMPARE(Form4->Headings[row]->text(), heading);
        const QString formula = Form4->Formulas[row]->text();
        QVERIFY(formula.startsWith(start));
        QList<int> found;
        for (qsizetype k = 0; k < formula.size();) {
            if (formula[k] != u' ') {
                ++k;
                continue;
            }
            qsizetype end = k;
            while (end < formula.size() && formula[end] == u' ') {
                ++end;
            }
            found << static_cast<int>(end - k);
            k = end;
        }
        QCOMPARE(found, runs);
        const auto gaps = SpaceRuns(Form4->Formulas[row]->fontMetrics(), formula);
        for (int g = 0; g < 4; ++g) {
            QComboBox* c = Form4->ComboBoxes[row * 4 + g];
            const int gapLeft = Form4->Formulas[row]->x() + gaps[g].first;
            QVERIFY(c->x() >= gapLeft);
            QVERIFY(c->geometry().right() <= gapLeft + gaps[g].second);
            QVERIFY(c->geometry().right() < Form4->width());
        }
    }
};

QTEST_MAIN(ShellPrecisionFormTest)
#include "ShellPrecisionFormTest.moc"
