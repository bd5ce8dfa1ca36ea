#include "kvcctest.h"

#include <layercolumns.h>
#include <layermodel.h>

#include <QAbstractItemModelTester>

using namespace KvCc;

// The table model over a caller's snapshot rows, and the cell texts it holds.
class TestLayerModel : public QObject
{
    Q_OBJECT

private:
    QList<QStringList> rows;
    std::unique_ptr<LayerModel> model;

private slots:
    // Three full rows and a short one, loaded under the model tester.
    void init()
    {
        rows.clear();
        for (int i = 0; i < 3; ++i)
            rows << QStringList{"false", QStringLiteral("Layer%1").arg(i)} + QVector<QString>(11, "true").toList();
        rows << QStringList{"true", "Short"};
        model = std::make_unique<LayerModel>();
        new QAbstractItemModelTester(model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest, model.get());
        model->setHorizontalHeader(layerTableHeaders());
        model->setModalDatas(&rows);
    }

    void refrushResetsOnceAndReportsTheRowCount()
    {
        QSignalSpy count(model.get(), &LayerModel::updateCount);
        QSignalSpy reset(model.get(), &QAbstractItemModel::modelReset);
        model->refrushModel();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(QList<QVariantList>(count), QList<QVariantList>{{4}});
    }

    void onlyTheDisplayRoleReadsAndWritesTheCallersRows()
    {
        model->refrushModel();
        QVERIFY(!model->data(model->index(3, OnColumn)).isValid()); // past the short row's end
        QVERIFY(!model->data(model->index(0, NameColumn), Qt::EditRole).isValid());
        QVERIFY(!model->setData(model->index(0, NameColumn), "x", Qt::EditRole));
        QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
        QVERIFY(model->setData(model->index(0, OnColumn), false, Qt::DisplayRole));
        QCOMPARE(rows.at(0).at(OnColumn), QStringLiteral("false"));
        QCOMPARE(changed.count(), 1);
        QVERIFY(model->flags(model->index(0, OnColumn)) & Qt::ItemIsEditable);
        // A renamed row still names the layer it was loaded from.
        QVERIFY(model->setData(model->index(1, NameColumn), "Walls", Qt::DisplayRole));
        QCOMPARE(model->index(1, NameColumn).data(LoadedNameRole).toString(), QStringLiteral("Layer1"));
    }

    // The caller may shrink its list behind the model's back.
    void indexesOutsideTheRowsGiveNothingInsteadOfCrashing()
    {
        model->refrushModel();
        const QModelIndex gone = model->index(3, NameColumn);
        rows.removeLast();
        QVERIFY(!model->data(gone).isValid());
        QVERIFY(!model->setData(gone, "x", Qt::DisplayRole));
        QVERIFY(!model->headerData(LayerColumnCount, Qt::Horizontal).isValid());
        QVERIFY(!model->setData(model->index(0, 3).sibling(0, 40), 1, Qt::DisplayRole));
    }

    void colorTextsWithStarsAndSemicolonsInTheirNames_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("color");
        QTest::newRow("a plain red color") << "ll*red;255,0,0" << "red" << QColor(255, 0, 0);
        QTest::newRow("a name holding a semicolon keeps it") << "ll*P; warm;10,20,30" << "P; warm" << QColor(10, 20, 30);
        QTest::newRow("a name holding a star keeps it") << "ll*a*b;1,2,3" << "a*b" << QColor(1, 2, 3);
        QTest::newRow("missing components count as zero") << "ll*odd;7" << "odd" << QColor(7, 0, 0);
        QTest::newRow("a known color name without components gives it") << "ll*white" << "white" << QColor(Qt::white);
        QTest::newRow("an unknown name without components is black") << "ll*7" << "7" << QColor(0, 0, 0);
        QTest::newRow("components out of range are clamped") << "ll*x;300,-4,20" << "x" << QColor(255, 0, 20);
    }

    void colorTextsWithStarsAndSemicolonsInTheirNames()
    {
        QFETCH(QString, text);
        const LayerColorText parsed = parseLayerColorText(text);
        QTEST(parsed.name, "name");
        QTEST(parsed.color, "color");
    }

    void flagCellsAreTrueUnlessEmptyZeroOrFalse()
    {
        for (const QVariant& v : {QVariant("true"), QVariant(":/IDB_LSTATE_CURRENT.png"), QVariant(true)})
            QVERIFY2(layerCellIsTrue(v), qPrintable(v.toString()));
        for (const QVariant& v : {QVariant("FALSE"), QVariant("0"), QVariant(QString()), QVariant(false)})
            QVERIFY2(!layerCellIsTrue(v), qPrintable(v.toString()));
    }
};

KVCC_TEST_MAIN(TestLayerModel)
#include "tst_layermodel.moc"
