#include "kvcctest.h"

#include <colorcombobox.h>
#include <swatchpainters.h>

#include <QAbstractItemView>
#include <QColorDialog>

#include <functional>
#include <memory>

// Drives the plain color combo box through its popup and the color dialog.
class TestColorComboBox : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<KvCc::ColorComboBox> combo;

    // Answers the color dialog that the next click opens: picks color when it
    // is valid, cancels otherwise. Counts how many dialogs it saw.
    int dialogsSeen = 0;
    void answerDialog(const QColor& color)
    {
        QTimer::singleShot(0, this, [this, color] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                QTimer::singleShot(10, this, [this, color] { answerDialog(color); });
                return;
            }
            ++dialogsSeen;
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Select Color"));
            QCOMPARE(dialog->currentColor(), QColor(Qt::white));
            if (!color.isValid())
                return dialog->reject();
            dialog->setCurrentColor(color);
            dialog->accept();
        });
    }

    // Opens the popup and clicks the entry at row, as a user does.
    void clickRow(int row)
    {
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QVERIFY(view->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        // A release right after the popup opened is taken as part of the
        // opening click, so wait as a user's second click would.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        QVERIFY(rect.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        QTRY_VERIFY(!view->isVisible());
    }

    QStringList texts() const
    {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list << combo->itemText(i);
        return list;
    }

    static QStringList standardTexts()
    {
        return {"Red", "Yellow", "Green", "Cyan", "Blue", "Magenta", "White", "Select Color..."};
    }

    static QImage argb(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

private slots:
    void init()
    {
        dialogsSeen = 0;
        combo = std::make_unique<KvCc::ColorComboBox>();
        combo->show();
        QVERIFY(QTest::qWaitForWindowExposed(combo.get()));
    }

    void cleanup() { combo.reset(); }

    void newComboShowsRedAndEmitsNothing()
    {
        KvCc::ColorComboBox fresh;
        QSignalSpy spy(&fresh, SIGNAL(currentColorChanged(QColor)));
        QCOMPARE(fresh.currentText(), QStringLiteral("Red"));
        QCOMPARE(spy.count(), 0);
        const QList<QColor> expected = {Qt::red,  Qt::yellow,  Qt::green, Qt::cyan,
                                        Qt::blue, Qt::magenta, Qt::white, Qt::lightGray};
        QCOMPARE(texts(), standardTexts());
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(argb(combo->itemIcon(i).pixmap(14, 14)), argb(creatColorPix(expected.at(i))));
    }

    void choosingAStandardColorReportsIt_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QColor>("color");
        QTest::newRow("choosing Blue reports pure blue") << 4 << QColor(Qt::blue);
        QTest::newRow("choosing Yellow reports pure yellow") << 1 << QColor(Qt::yellow);
        QTest::newRow("choosing White reports pure white") << 6 << QColor(Qt::white);
    }

    void choosingAStandardColorReportsIt()
    {
        QFETCH(int, row);
        QFETCH(QColor, color);
        QSignalSpy spy(combo.get(), SIGNAL(currentColorChanged(QColor)));
        clickRow(row);
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{color}}));
        QCOMPARE(combo->currentIndex(), row);
        QCOMPARE(dialogsSeen, 0);
    }

    void cancellingTheDialogReturnsToTheLastReportedEntry()
    {
        clickRow(4);
        QSignalSpy spy(combo.get(), SIGNAL(currentColorChanged(QColor)));
        answerDialog(QColor());
        clickRow(7);
        QCOMPARE(dialogsSeen, 1);
        QCOMPARE(combo->currentIndex(), 4);
        QCOMPARE(combo->currentText(), QStringLiteral("Blue"));
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{QColor(Qt::blue)}}));
        QCOMPARE(texts(), standardTexts());
    }

    void pickingACustomColorAddsItAtTheTop()
    {
        KvCc::ColorComboBox other;
        QSignalSpy otherSpy(&other, SIGNAL(currentColorChanged(QColor)));
        QSignalSpy spy(combo.get(), SIGNAL(currentColorChanged(QColor)));
        answerDialog(QColor(10, 20, 30));
        clickRow(7);
        QCOMPARE(dialogsSeen, 1);
        QCOMPARE(texts(), (QStringList{"10,20,30"} + standardTexts()));
        QCOMPARE(combo->currentIndex(), 0);
        QVERIFY(spy.count() >= 1);
        QCOMPARE(spy.last().at(0).value<QColor>(), QColor(10, 20, 30));
        for (const QList<QVariant>& args : spy)
            QVERIFY2(args.at(0).value<QColor>() != QColor(Qt::lightGray), "the dialog entry's gray was reported");
        QCOMPARE(argb(combo->itemIcon(0).pixmap(14, 14)), argb(creatColorPix(QColor(10, 20, 30))));
        // Another combo box keeps its own entries.
        QCOMPARE(other.count(), 8);
        QCOMPARE(otherSpy.count(), 0);
    }

    void pickingAListedColorTwiceAddsTwoTextEntries()
    {
        QSignalSpy spy(combo.get(), SIGNAL(currentColorChanged(QColor)));
        answerDialog(QColor(Qt::red));
        clickRow(7);
        QCOMPARE(combo->itemText(0), QStringLiteral("255,0,0"));
        QCOMPARE(combo->itemText(1), QStringLiteral("Red"));
        QCOMPARE(spy.last().at(0).value<QColor>(), QColor(Qt::red));
        answerDialog(QColor(Qt::red));
        clickRow(8);
        QCOMPARE(dialogsSeen, 2);
        QCOMPARE(texts(), (QStringList{"255,0,0", "255,0,0"} + standardTexts()));
    }

    void afterACustomColorTheStandardRowsKeepTheirColors()
    {
        answerDialog(QColor(10, 20, 30));
        clickRow(7);
        QSignalSpy spy(combo.get(), SIGNAL(currentColorChanged(QColor)));
        clickRow(7);
        QCOMPARE(combo->currentText(), QStringLiteral("White"));
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{QColor(Qt::white)}}));
        spy.clear();
        answerDialog(QColor());
        clickRow(8);
        QCOMPARE(combo->currentIndex(), 7);
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{QColor(Qt::white)}}));
        QCOMPARE(combo->count(), 9);
    }

    void pickingColorsOverAndOverKeepsTheListConsistent()
    {
        for (int i = 0; i < 5; ++i) {
            answerDialog(QColor(i, 2 * i, 3 * i));
            clickRow(combo->count() - 1);
            answerDialog(QColor());
            clickRow(combo->count() - 1);
        }
        QCOMPARE(dialogsSeen, 10);
        QCOMPARE(combo->count(), 13);
        QCOMPARE(combo->itemText(0), QStringLiteral("4,8,12"));
        QCOMPARE(combo->itemText(4), QStringLiteral("0,0,0"));
        QCOMPARE(combo->currentIndex(), 0);
        QSignalSpy spy(combo.get(), SIGNAL(currentColorChanged(QColor)));
        clickRow(3);
        QCOMPARE(spy.last().at(0).value<QColor>(), QColor(1, 2, 3));
    }
};

KVCC_TEST_MAIN(TestColorComboBox)
#include "tst_colorcombobox.moc"
