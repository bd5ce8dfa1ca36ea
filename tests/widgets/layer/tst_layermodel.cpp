#include "kvcctest.h"

#include <layercolumns.h>
#include <layermodel.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using KvCc::LayerModel;

class TestLayerModel : public QObject
{
    Q_OBJECT

private:
    static QList<QStringList> sampleRows(int count)
    {
        QList<QStringList> rows;
        for (int i = 0; i < count; ++i) {
            QStringList row = {QStringLiteral("false"), QStringLiteral("Layer%1").arg(i)};
            for (int c = 2; c < KvCc::LayerColumnCount; ++c)
                row << QStringLiteral("true");
            rows << row;
        }
        return rows;
    }

    static void load(LayerModel& model, QList<QStringList>* rows)
    {
        model.setHorizontalHeader(KvCc::layerTableHeaders());
        model.setModalDatas(rows);
        model.refrushModel();
    }

private slots:
    void passesTheModelTesterThroughResetAndEdits()
    {
        QList<QStringList> rows = sampleRows(5);
        rows[2] = QStringList{QStringLiteral("true"), QStringLiteral("Short")};
        LayerModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        load(model, &rows);
        QVERIFY(model.setData(model.index(1, KvCc::NameColumn), QStringLiteral("Walls"), Qt::DisplayRole));
        QCOMPARE(model.rowCount(model.index(0, 0)), 0);
        QCOMPARE(model.columnCount(model.index(0, 0)), 0);
    }

    void onlyTheDisplayRoleReadsAndWrites()
    {
        QList<QStringList> rows = sampleRows(2);
        rows[1] = QStringList{QStringLiteral("false"), QStringLiteral("Short")};
        LayerModel model;
        load(model, &rows);

        QVERIFY(!model.data(model.index(1, KvCc::OnColumn)).isValid());
        QVERIFY(!model.data(model.index(0, KvCc::NameColumn), Qt::EditRole).isValid());
        QVERIFY(!model.setData(model.index(0, KvCc::NameColumn), QStringLiteral("x"), Qt::EditRole));

        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.setData(model.index(0, KvCc::OnColumn), false, Qt::DisplayRole));
        QCOMPARE(rows.at(0).at(KvCc::OnColumn), QStringLiteral("false"));
        QCOMPARE(changed.count(), 1);
        QVERIFY(changed.last().at(2).value<QVector<int>>().isEmpty());
        QVERIFY(model.flags(model.index(0, KvCc::OnColumn)) & Qt::ItemIsEditable);
    }

    void indexesOutsideTheRowsGiveNothingInsteadOfCrashing()
    {
        QList<QStringList> rows = sampleRows(3);
        LayerModel model;
        load(model, &rows);
        rows.removeLast(); // the caller shrinks its list behind the model's back
        const QModelIndex gone = model.index(2, KvCc::NameColumn);
        QVERIFY(!model.data(gone).isValid());
        QVERIFY(!model.setData(gone, QStringLiteral("x"), Qt::DisplayRole));
        QVERIFY(!model.headerData(13, Qt::Horizontal).isValid());
        QVERIFY(!model.setData(model.index(0, 3).sibling(0, 40), 1, Qt::DisplayRole));
    }

    void refrushReportsTheRowCountAfterTheReset()
    {
        QList<QStringList> rows = sampleRows(7);
        LayerModel model;
        model.setModalDatas(&rows);
        QSignalSpy count(&model, &LayerModel::updateCount);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.refrushModel();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(count.count(), 1);
        QCOMPARE(count.last().at(0).toInt(), 7);
    }

    void aRenamedRowStillNamesTheLayerItWasLoadedFrom()
    {
        QList<QStringList> rows = sampleRows(2);
        LayerModel model;
        load(model, &rows);
        model.setData(model.index(0, KvCc::NameColumn), QStringLiteral("Layer1"), Qt::DisplayRole);
        QCOMPARE(model.index(0, KvCc::NameColumn).data(KvCc::LoadedNameRole).toString(),
                 QStringLiteral("Layer0"));
    }

    void colorTextsWithStarsAndSemicolonsInTheirNames_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("color");
        QTest::newRow("a plain red color") << "ll*red;255,0,0" << "red" << QColor(255, 0, 0);
        QTest::newRow("a name holding a semicolon keeps it")
            << "ll*Pantone; warm;10,20,30" << "Pantone; warm" << QColor(10, 20, 30);
        QTest::newRow("a name holding a star keeps it") << "ll*a*b;1,2,3" << "a*b" << QColor(1, 2, 3);
        QTest::newRow("missing components count as zero") << "ll*odd;7" << "odd" << QColor(7, 0, 0);
        QTest::newRow("a known color name without components gives that color")
            << "ll*white" << "white" << QColor(255, 255, 255);
        QTest::newRow("an unknown name without components is black") << "ll*7" << "7" << QColor(0, 0, 0);
        QTest::newRow("components out of range are clamped") << "ll*x;300,-4,20" << "x" << QColor(255, 0, 20);
    }

    void colorTextsWithStarsAndSemicolonsInTheirNames()
    {
        QFETCH(QString, text);
        const KvCc::LayerColorText parsed = KvCc::parseLayerColorText(text);
        QTEST(parsed.name, "name");
        QTEST(parsed.color, "color");
    }

    void flagCellsFollowTheStringToBoolRule()
    {
        QVERIFY(KvCc::layerCellIsTrue(QStringLiteral("true")));
        QVERIFY(KvCc::layerCellIsTrue(QStringLiteral(":/IDB_LSTATE_CURRENT.png")));
        QVERIFY(KvCc::layerCellIsTrue(true));
        QVERIFY(!KvCc::layerCellIsTrue(QStringLiteral("FALSE")));
        QVERIFY(!KvCc::layerCellIsTrue(QStringLiteral("0")));
        QVERIFY(!KvCc::layerCellIsTrue(QString()));
        QVERIFY(!KvCc::layerCellIsTrue(false));
    }
};

KVCC_TEST_MAIN(TestLayerModel)
#include "tst_layermodel.moc"
