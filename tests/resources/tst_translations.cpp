#include "../widgets/layer/layertestdrawing.h"
#include "modaldriver.h"

#include <kvcctranslations.h>
#include <kvlineweightdialog.h>
#include <layermanager.h>
#include <layerstatesdialog.h>
#include <layertablewidget.h>

#include <QLabel>
#include <QMenu>

// The German and Russian texts a host gets from loadTranslations(), and the
// translation sources they are made from.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useScratchSettings(); }

    void theLanguagesReachThePaletteItsWarningsAndTheDialogs_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("texts"); // the dialog's title, the palette's Freeze header, its warning, the layer states title
        QTest::newRow("German") << "de" << QStringList{"Linienstärkeneinstellungen", "Frieren", "Der aktuelle Layer kann nicht gefroren werden!", "Layerstatus"};
        QTest::newRow("Russian") << "ru" << QStringList{"Параметры весов линий", "Заморозить", "Текущий слой нельзя заморозить!", "Состояния слоёв"};
    }
    void theLanguagesReachThePaletteItsWarningsAndTheDialogs()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, texts);
        QFile source(QStringLiteral(KVCC_SOURCE_DIR "/translations/kvcustomcontrol_%1.ts").arg(language));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QString ts = QString::fromUtf8(source.readAll());
        QVERIFY(!ts.contains(QLatin1String("type=")) && ts.count(QRegularExpression("<translation>[^<]+</translation>")) == ts.count("<message>"));

        QVERIFY(KvCc::loadTranslations(QLocale(language)));
        QCOMPARE(KvCc::KvLineWeightDialog().windowTitle(), texts.at(0));
        QCOMPARE(KvCc::LayerStatesDialog().windowTitle(), texts.at(3));
        TestDrawing drawing;
        KvCc::LayerManager palette;
        auto* table = palette.findChild<KvCc::LayerTableWidget*>();
        QVERIFY(table && showExposed(&palette));
        QCOMPARE(table->model()->headerData(KvCc::FreezeColumn, Qt::Horizontal).toString(), texts.at(1));
        QAction* entry = table->findChild<QMenu*>()->findChild<QAction*>(QStringLiteral("Freeze"));
        QVERIFY(entry && entry->text() == texts.at(1));
        QString asked;
        const QModelIndex freeze = table->model()->index(0, KvCc::FreezeColumn);
        modaldriver::answer([&] { QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(freeze).center()); },
                            [&](QDialog* dialog) { asked = dialog->findChild<QLabel*>(QStringLiteral("textLabel"))->text(); dialog->reject(); });
        QCOMPARE(asked, texts.at(2));

        QVERIFY(!KvCc::loadTranslations(QLocale(QLocale::English)));
        QCOMPARE(KvCc::KvLineWeightDialog().windowTitle(), QStringLiteral("Lineweight Settings"));
    }
};

KVCC_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
