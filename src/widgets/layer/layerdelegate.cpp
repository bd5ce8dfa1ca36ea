#include "layerdelegate.h"

#include "keyedpixmap.h"
#include "layercolumns.h"
#include "layerlinetypedialog.h"
#include "layerlineweightdialog.h"
#include "layerstate_p.h"
#include "lineweightlist.h"
#include "layerwarningdialog.h"
#include "swatchpainters.h"
#include "swatchpainters_p.h"

#include <KvAppBase.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QSet>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextOption>

namespace KvCc {

namespace {

// The state columns and the pictures of their cells; an empty path draws
// no picture.
struct StateColumn
{
    LayerColumn column;
    const char* whenTrue;
    const char* whenFalse;
};

const StateColumn stateColumns[] = {
    {CurrentColumn, currentLayerMark, ""},
    {OnColumn, ":/core_ccvon.bmp", ":/core_ccvoff.bmp"},
    {FreezeColumn, ":/core_ccthw.bmp", ":/core_ccfrz.bmp"},
    {LockColumn, ":/core_cculk.bmp", ":/core_cclk.bmp"},
    {PlotColumn, ":/core_ccpldi.bmp", ":/core_ccnpl.bmp"},
    {NewViewportFreezeColumn, ":/core_ccvfrz.bmp", ":/core_ccvthw.bmp"},
    {ViewportFreezeColumn, ":/core_ccvfrz.bmp", ":/core_ccvthw.bmp"},
};

bool isStateColumn(int column)
{
    for (const StateColumn& state : stateColumns) {
        if (state.column == column)
            return true;
    }
    return false;
}

QPalette::ColorGroup colorGroup(const QStyleOptionViewItem& option)
{
    if (!(option.state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return (option.state & QStyle::State_Active) ? QPalette::Normal : QPalette::Inactive;
}

// Texts take the palette's text color (black in a light palette), and on a
// selected row its highlighted text color, so they stay readable on any
// palette.
QColor textColor(const QStyleOptionViewItem& option)
{
    const QPalette::ColorRole role = (option.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                             : QPalette::Text;
    return option.palette.color(colorGroup(option), role);
}

bool isDarkPalette(const QPalette& palette)
{
    return palette.color(QPalette::Base).lightness() < palette.color(QPalette::Text).lightness();
}

// Plot styles are shown dimmed, as a field the user cannot change here:
// grey in a light palette; in a dark one a blend of text and base that
// stays readable.
QColor dimmedTextColor(const QStyleOptionViewItem& option)
{
    if (option.state & QStyle::State_Selected)
        return textColor(option);
    if (!isDarkPalette(option.palette))
        return Qt::gray;
    const QColor text = option.palette.color(colorGroup(option), QPalette::Text);
    const QColor base = option.palette.color(colorGroup(option), QPalette::Base);
    return QColor((text.red() * 7 + base.red() * 3) / 10, (text.green() * 7 + base.green() * 3) / 10,
                  (text.blue() * 7 + base.blue() * 3) / 10);
}

void drawCellText(QPainter* painter, const QRect& rect, const QString& text, const QFont& font,
                  const QColor& color)
{
    const QFontMetrics metrics(font);
    const QString shown = metrics.elidedText(text, Qt::ElideRight, rect.width(), Qt::TextShowMnemonic);
    painter->setFont(font);
    painter->setPen(QPen(QBrush(color), 1, Qt::SolidLine));
    painter->drawText(QRectF(rect), shown, QTextOption());
}

// Whether the cell's row is the current layer's.
bool isCurrentRow(const QModelIndex& index)
{
    return layerCellIsTrue(index.sibling(index.row(), CurrentColumn).data(Qt::DisplayRole));
}

} // namespace

LayerDelegate::LayerDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
    for (int i = 0; i < LayerColumnCount; ++i) {
        trueStateIcons << QString();
        falseStateIcons << QString();
    }
    for (const StateColumn& state : stateColumns) {
        trueStateIcons[state.column] = QLatin1String(state.whenTrue);
        falseStateIcons[state.column] = QLatin1String(state.whenFalse);
    }

    // "Default", then the millimetre texts of the standard lineweights.
    lineWeightTexts = LineWeightList::mmTexts().mid(LineWeightList::DefaultRow);

    for (int i = 0; i < LayerColumnCount; ++i) {
        const QPixmap on = trueStateIcons.at(i).isEmpty() ? QPixmap() : loadKeyedPixmap(trueStateIcons.at(i));
        const QPixmap off = falseStateIcons.at(i).isEmpty() ? QPixmap() : loadKeyedPixmap(falseStateIcons.at(i));
        trueIcons << (on.isNull() ? QIcon() : QIcon(on));
        falseIcons << (off.isNull() ? QIcon() : QIcon(off));
        trueIconSizes << on.size();
        falseIconSizes << off.size();
    }

    lineTypeDialog = std::make_unique<LayerLineTypeDialog>();
    lineWeightDialog = std::make_unique<LayerLineWeightDialog>();
    warningDialog = std::make_unique<LayerWarningDialog>();
    connect(lineWeightDialog.get(), &LayerLineWeightDialog::layerLineWeightChanged, this, &LayerDelegate::slotLWeightChanged);
}

LayerDelegate::~LayerDelegate() = default;

int LayerDelegate::lineWeightIndexMap(QString text) const
{
    const int i = lineWeightTexts.indexOf(text);
    if (i < 0)
        return lineWeightTexts.size();
    if (i < 9)
        return 1;
    if (i < 12)
        return 2;
    return i - 9;
}

void LayerDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const
{
    const int column = index.column();
    const QRect& r = option.rect;
    if (option.state & QStyle::State_Selected) {
        const QPalette::ColorGroup group = colorGroup(option);
        painter->fillRect(r, option.palette.brush(group, QPalette::Highlight));
        if (option.state & QStyle::State_HasFocus) {
            const QColor frame = (column == CurrentColumn || column == PlotStyleColumn)
                ? option.palette.color(group, QPalette::Highlight)
                : QColor(Qt::white);
            painter->save();
            painter->setPen(QPen(QBrush(frame), 1, Qt::SolidLine));
            painter->setBrush(Qt::transparent);
            painter->drawRect(QRect(r.x() + 1, r.y() + 1, r.width() - 3, r.height() - 4));
            painter->restore();
        }
    }

    if (column == NameColumn || column >= LayerColumnCount) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    painter->save();
    if (isStateColumn(column))
        paintStateCell(painter, option, index);
    else if (column == ColorColumn)
        paintColorCell(painter, option, index);
    else if (column == LineweightColumn)
        paintLineweightCell(painter, option, index);
    else
        paintTextCell(painter, option, index,
                      column == PlotStyleColumn ? dimmedTextColor(option) : textColor(option));
    painter->restore();
}

void LayerDelegate::paintStateCell(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    const int column = index.column();
    const bool on = layerCellIsTrue(index.data(Qt::DisplayRole));
    QStyleOptionButton button;
    button.rect = option.rect;
    button.state = QStyle::State_Enabled;
    button.features = QStyleOptionButton::Flat;
    button.icon = on ? trueIcons.at(column) : falseIcons.at(column);
    button.iconSize = on ? trueIconSizes.at(column) : falseIconSizes.at(column);
    QApplication::style()->drawControl(QStyle::CE_PushButton, &button, painter, nullptr);
}

void LayerDelegate::paintColorCell(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    const LayerColorText color = parseLayerColorText(index.data(Qt::DisplayRole).toString());
    const QRgb key = color.color.rgba();
    auto swatch = colorSwatches.constFind(key);
    if (swatch == colorSwatches.constEnd())
        swatch = colorSwatches.insert(key, creatColorPix(color.color));
    const QRect& r = option.rect;
    const QSize size = swatch->size();
    const int top = r.y() + (r.height() - size.height()) / 2;
    painter->drawPixmap(r.x() + 2, top, *swatch);
    const QRect textRect(r.x() + size.width() + 6, top - 2, r.width() - size.width() - 6,
                         r.y() + r.height() + 2 - top);
    drawCellText(painter, textRect, color.name, option.font, textColor(option));
}

void LayerDelegate::paintLineweightCell(QPainter* painter, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    int width = lineWeightIndexMap(text);
    if (width == lineWeightTexts.size())
        width = 0;
    // The sample is drawn in the text color of unselected rows: black in a
    // light palette, as on the highlight of a selected row.
    const QColor ink = option.palette.color(colorGroup(option), QPalette::Text);
    const quint64 key = (quint64(ink.rgba()) << 32) | quint32(width);
    auto sample = lineSamples.constFind(key);
    if (sample == lineSamples.constEnd())
        sample = lineSamples.insert(key, lineWeightSample(width, ink));
    const QRect& r = option.rect;
    const int sampleHeight = sample->height();
    const int top = r.y() + (r.height() - sampleHeight) / 2;
    painter->drawPixmap(QRect(r.x() + 2, top, r.width() / 3, sampleHeight), *sample);
    const QRect textRect(r.x() + r.width() / 3 + 6, top, r.width() - r.width() / 3 - 6,
                         r.y() + r.height() - top);
    drawCellText(painter, textRect, LineWeightList::displayText(text), option.font, textColor(option));
}

void LayerDelegate::paintTextCell(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index, const QColor& color) const
{
    const QRect& r = option.rect;
    drawCellText(painter, QRect(r.x() + 3, r.y() + 3, r.width() - 6, r.height() - 6),
                 index.data(Qt::DisplayRole).toString(), option.font, color);
}

QWidget* LayerDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    if (index.column() != NameColumn)
        return QStyledItemDelegate::createEditor(parent, option, index);

    auto* editor = new QLineEdit(parent);
    QStringList names;
    const QAbstractItemModel* model = index.model();
    if (model) {
        QSet<QString> seen;
        const int rows = model->rowCount(index.parent());
        for (int row = 1; row < rows; ++row) {
            const QString name = model->index(row, NameColumn, index.parent()).data(Qt::DisplayRole).toString();
            if (!seen.contains(name)) {
                seen.insert(name);
                names << name;
            }
        }
    }
    // The completer belongs to its editor and goes with it.
    auto* completer = new QCompleter(names, editor);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    editor->setCompleter(completer);
    connect(editor, &QLineEdit::editingFinished, this, &LayerDelegate::commitAndCloseEditor);
    return editor;
}

void LayerDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(index.data(Qt::DisplayRole).toString());
}

void LayerDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                 const QModelIndex& index) const
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        model->setData(index, edit->text(), Qt::DisplayRole);
}

void LayerDelegate::commitAndCloseEditor()
{
    auto* editor = qobject_cast<QLineEdit*>(sender());
    if (!editor)
        return;
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void LayerDelegate::slotLWeightChanged(int value)
{
    chosenLineWeight = value;
}

void LayerDelegate::notifyLayerTableChanged()
{
    kvSetLayerTableChanges();
    emit layerDataChanged();
}

bool LayerDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool inside = option.rect.contains(mouse->pos());
        if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton)
            return inside ? clickCell(model, index) : true;
        if (event->type() == QEvent::MouseButtonDblClick && inside)
            return true;
    }
    // Space on a state cell is the keyboard's click, with the same warnings
    // and notices; a held key does not toggle the cell again and again.
    if (event->type() == QEvent::KeyPress && isStateColumn(index.column())) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier && !key->isAutoRepeat())
            return clickCell(model, index);
    }
    notifyLayerTableChanged();
    return false;
}

bool LayerDelegate::clickCell(QAbstractItemModel* model, const QModelIndex& index)
{
    const int column = index.column();
    if (column == CurrentColumn)
        return true;
    if (!model || !index.isValid()) {
        notifyLayerTableChanged();
        return false;
    }

    // Writes go to the layer the row was loaded from, whatever the row is
    // called now; a row made in the palette stands for no layer at all.
    const QVariant loaded = index.sibling(index.row(), NameColumn).data(LoadedNameRole);
    const CellClick click{model, index, loaded.isValid(), loaded.toString(),
                          layerCellIsTrue(index.data(Qt::DisplayRole))};
    bool changed = true;
    switch (column) {
    case PlotColumn:
    case LockColumn:
        flipCell(click);
        break;
    case OnColumn:
        changed = clickOnCell(click);
        break;
    case FreezeColumn:
        changed = clickFreezeCell(click);
        break;
    default:
        break;
    }
    if (changed)
        notifyLayerTableChanged();
    return false;
}

// The cell shows what the drawing holds: a write the drawing refuses leaves
// it as it was.
void LayerDelegate::flipCell(const CellClick& click)
{
    if (click.inDrawing && writeLayerColumnState(click.layer, click.index.column(), !click.value))
        click.model->setData(click.index, !click.value, Qt::DisplayRole);
}

bool LayerDelegate::clickOnCell(const CellClick& click)
{
    if (!(isCurrentRow(click.index) && click.value)) {
        flipCell(click);
        return true;
    }
    if (!click.inDrawing)
        return true;
    // Switching the current layer off takes the user's word; the dialog
    // switches the layer off itself.
    warningDialog->setButtonStatus(true);
    warningDialog->layerOn = true;
    warningDialog->layerName = click.layer;
    warningDialog->setTipsText(tr("The current layer is turned off."));
    const QPointer<LayerDelegate> self(this);
    const QPointer<QAbstractItemModel> guardedModel(click.model);
    const QPersistentModelIndex cell(click.index);
    const int answer = warningDialog->exec();
    // The dialog's event loop may have ended the delegate, the model or the row.
    if (!self || !guardedModel || !cell.isValid() || answer != QDialog::Accepted)
        return false;
    click.model->setData(cell, false, Qt::DisplayRole);
    return true;
}

bool LayerDelegate::clickFreezeCell(const CellClick& click)
{
    if (isCurrentRow(click.index) && click.value) {
        warningDialog->setButtonStatus(false);
        warningDialog->setTipsText(tr("The current layer can't be frozen!"));
        warningDialog->exec();
        return false;
    }
    flipCell(click);
    return true;
}

} // namespace KvCc
