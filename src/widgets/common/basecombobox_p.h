#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QListView>

namespace KvCc {

// The size hint with its height replaced. A new item's hint is (-1, -1) and
// an item drops a hint that is not valid, which would lose the height; the
// unset width becomes 0, which a one-column list widens to its viewport.
inline QSize withHeight(QSize hint, int height)
{
    return QSize(qMax(0, hint.width()), height);
}

// Makes a combo box let go of the popup list and the face it was given, so
// that its owner may delete both while the combo box lives on for a moment
// (it is being destroyed): QComboBox must not reach them afterwards.
// The face goes first: without it QComboBox no longer refers to the line
// edit. The popup list is taken out of the popup container, so swapping in a
// spare view does not delete it there; when the caller deletes the list, its
// model goes too and QComboBox moves the spare view to an empty model.
inline void releaseComboParts(QComboBox* combo, QAbstractItemView* popupList)
{
    combo->hidePopup();
    if (combo->lineEdit())
        combo->setEditable(false);
    if (popupList && combo->view() == popupList) {
        popupList->setParent(nullptr);
        combo->setView(new QListView);
    }
}

} // namespace KvCc
