#include "layertexts_p.h"

#include "layercolumns.h"

#include <QCoreApplication>

namespace KvCc {

namespace LayerTexts {

namespace {

const char* const context = "KvCc::LayerTexts";

const char* const headerLabels[LayerColumnCount] = {
    "",
    QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Name"),
    QT_TRANSLATE_NOOP("KvCc::LayerTexts", "On"),
    QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Freeze"),
    QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Lock"),
    QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Color"),
    QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Linetype"),
    QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Lineweight"),
    QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Plot Style"),
    QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Plot"),
    QT_TRANSLATE_NOOP("KvCc::LayerTexts", "New Viewport Freeze"),
    QT_TRANSLATE_NOOP("KvCc::LayerTexts", "VP Freeze"),
    QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Description"),
};

// One state of a cell: its word, the word with the layer's name, and what
// a click does then (null where a click changes nothing).
struct StateText
{
    const char* word;
    const char* named;
    const char* action;
};

struct StateColumnTexts
{
    LayerColumn column;
    StateText whenTrue;
    StateText whenFalse;
};

const StateColumnTexts stateTexts[] = {
    {CurrentColumn,
     {QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Current layer"),
      QT_TRANSLATE_NOOP("KvCc::LayerTexts", "%1: current layer"), nullptr},
     {QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Not current"),
      QT_TRANSLATE_NOOP("KvCc::LayerTexts", "%1: not current"), nullptr}},
    {OnColumn,
     {QT_TRANSLATE_NOOP("KvCc::LayerTexts", "On"), QT_TRANSLATE_NOOP("KvCc::LayerTexts", "%1: on"),
      QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Turn %1 off")},
     {QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Off"), QT_TRANSLATE_NOOP("KvCc::LayerTexts", "%1: off"),
      QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Turn %1 on")}},
    {FreezeColumn,
     {QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Thawed"), QT_TRANSLATE_NOOP("KvCc::LayerTexts", "%1: thawed"),
      QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Freeze %1")},
     {QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Frozen"), QT_TRANSLATE_NOOP("KvCc::LayerTexts", "%1: frozen"),
      QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Thaw %1")}},
    {LockColumn,
     {QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Unlocked"), QT_TRANSLATE_NOOP("KvCc::LayerTexts", "%1: unlocked"),
      QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Lock %1")},
     {QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Locked"), QT_TRANSLATE_NOOP("KvCc::LayerTexts", "%1: locked"),
      QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Unlock %1")}},
    {PlotColumn,
     {QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Plotted"), QT_TRANSLATE_NOOP("KvCc::LayerTexts", "%1: plotted"),
      QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Do not plot %1")},
     {QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Not plotted"),
      QT_TRANSLATE_NOOP("KvCc::LayerTexts", "%1: not plotted"), QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Plot %1")}},
    {NewViewportFreezeColumn,
     {QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Frozen in new viewports"),
      QT_TRANSLATE_NOOP("KvCc::LayerTexts", "%1: frozen in new viewports"), nullptr},
     {QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Thawed in new viewports"),
      QT_TRANSLATE_NOOP("KvCc::LayerTexts", "%1: thawed in new viewports"), nullptr}},
    {ViewportFreezeColumn,
     {QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Frozen in this viewport"),
      QT_TRANSLATE_NOOP("KvCc::LayerTexts", "%1: frozen in this viewport"), nullptr},
     {QT_TRANSLATE_NOOP("KvCc::LayerTexts", "Thawed in this viewport"),
      QT_TRANSLATE_NOOP("KvCc::LayerTexts", "%1: thawed in this viewport"), nullptr}},
};

const StateText* stateText(int column, bool cellTrue)
{
    for (const StateColumnTexts& texts : stateTexts) {
        if (texts.column == column)
            return cellTrue ? &texts.whenTrue : &texts.whenFalse;
    }
    return nullptr;
}

QString translated(const char* text)
{
    return text ? QCoreApplication::translate(context, text) : QString();
}

} // namespace

QString headerLabel(int column)
{
    if (column < 0 || column >= LayerColumnCount)
        return QString();
    return translated(headerLabels[column]);
}

bool isStateColumn(int column)
{
    return stateText(column, true) != nullptr;
}

QString stateWord(int column, bool cellTrue)
{
    const StateText* text = stateText(column, cellTrue);
    return text ? translated(text->word) : QString();
}

QString namedState(int column, bool cellTrue, const QString& layer)
{
    const StateText* text = stateText(column, cellTrue);
    return text ? translated(text->named).arg(layer) : QString();
}

QString stateAction(int column, bool cellTrue, const QString& layer)
{
    const StateText* text = stateText(column, cellTrue);
    return text && text->action ? translated(text->action).arg(layer) : QString();
}

QVariant stateCellData(int column, const QVariant& cell, const QString& layer, int role)
{
    // A long name is cut off by its column: its tool tip shows it whole.
    if (column == NameColumn && role == Qt::ToolTipRole)
        return layer;
    if (!isStateColumn(column))
        return QVariant();
    const bool cellTrue = layerCellIsTrue(cell);
    switch (role) {
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return stateWord(column, cellTrue);
    case Qt::AccessibleDescriptionRole: {
        const QString action = stateAction(column, cellTrue, layer);
        return action.isEmpty() ? namedState(column, cellTrue, layer) : action;
    }
    default:
        return QVariant();
    }
}

} // namespace LayerTexts

} // namespace KvCc
