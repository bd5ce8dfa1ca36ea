#pragma once

#include "kvcctest.h"

#include "drawingdocument.h"
#include "layercolumns.h"
#include "layercombobox.h"
#include "layeritem.h"
#include "layertablewidget.h"
#include "mainwindow.h"

#include <QListWidget>
#include <QPushButton>

namespace Demo {

// The window with the sample drawing open, shown and settled; messages go
// to lastMessage() only.
struct SampleWindow : MainWindow {
    SampleWindow()
    {
        setQuiet(true);
        openSample();
        show();
        exposed = QTest::qWaitForWindowExposed(this);
        settle();
    }
    // Lets the window's deferred refreshes run.
    static void settle()
    {
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
    }
    QAbstractItemModel* palette() const { return paletteTable()->model(); }
    int paletteRow(const QString& name) const
    {
        const QModelIndexList found = palette()->match(palette()->index(0, KvCc::NameColumn), Qt::DisplayRole, name, 1,
                                                       Qt::MatchFixedString | Qt::MatchCaseSensitive);
        return found.isEmpty() ? -1 : found.first().row();
    }
    QModelIndex cell(const QString& name, int column) const { return palette()->index(paletteRow(name), column); }
    QPoint centerOf(const QModelIndex& index) const
    {
        static_cast<QAbstractItemView*>(paletteTable())->scrollTo(index);
        return paletteTable()->visualRect(index).center();
    }
    bool paletteFlag(const QString& name, int column) const
    {
        return KvCc::layerCellIsTrue(palette()->index(paletteRow(name), column).data());
    }
    void selectPaletteRow(const QString& name) { paletteTable()->selectRow(paletteRow(name)); }
    // Clicks a cell of the palette as a user does.
    // With comboHidden the drop-down is out of sight while the click is handled.
    void clickPaletteCell(const QString& name, int column, bool comboHidden = false)
    {
        layerCombo()->setHidden(comboHidden);
        QTest::mouseClick(paletteTable()->viewport(), Qt::LeftButton, {}, centerOf(cell(name, column)));
        settle();
        layerCombo()->show();
        settle();
    }
    QList<KvCc::LayerItemData> comboRows() const
    {
        QList<KvCc::LayerItemData> rows;
        for (int r = 0; r < layerCombo()->listWidget()->count(); ++r)
            rows << layerCombo()->rowLayer(r);
        return rows;
    }
    QStringList comboNames() const
    {
        QStringList names;
        for (const KvCc::LayerItemData& row : comboRows())
            names << row.name;
        return names;
    }
    // Clicks a toggle (0 bulb, 1 sun, 2 lock) of a row in the opened drop-down.
    void clickComboToggle(const QString& name, int toggle)
    {
        layerCombo()->showPopup();
        QListWidget* list = layerCombo()->listWidget();
        const int row = comboNames().indexOf(name);
        list->scrollToItem(list->item(row));
        QPushButton* button = layerCombo()->rowWidget(row)->findChildren<QPushButton*>(QStringLiteral("layerItemBtn")).value(toggle);
        QVERIFY(button && button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
        layerCombo()->hidePopup();
    }
    const DkDbLayerTableRecord* record(const QString& name) const
    {
        return document()->database()->peekLayer(document()->database()->layerId(name.toStdWString()));
    }
    void verifyNothingOpen() const
    {
        QCOMPARE(document()->database()->openObjectCount(), 0);
        QCOMPARE(document()->database()->liveIteratorCount(), 0);
        QCOMPARE(dkutOutstandingBuffers(), 0LL);
    }

    bool exposed = false;
};

} // namespace Demo
