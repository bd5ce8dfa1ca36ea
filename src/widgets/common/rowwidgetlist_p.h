#pragma once

#include <QListWidget>
#include <QPointer>
#include <QVector>

#include <functional>

namespace KvCc {

// The popup list of the drop-downs, whose rows are widgets.
//
// Each row widget is placed on its row and ends at the viewport's edge.
// A row widget costs little while it is hidden and a lot once shown: every
// shown row takes part in each layout, paint and scroll of the popup.
// QAbstractItemView shows and places every row widget, so a list of
// thousands of rows was slow to open and to scroll. This list shows only the
// row widgets that intersect the viewport and hides those that leave it.
// Rows put in with setItemWidget() should be hidden at once; the
// list shows them when they come into view. With a row maker, a row's widget
// need not exist before that: the maker makes it (and sets it on its row)
// when the row first comes into view, so a long list costs its widgets only
// for the rows a user has seen.
class RowWidgetList : public QListWidget
{
public:
    using RowMaker = std::function<QWidget*(int row)>;

    explicit RowWidgetList(QWidget* parent = nullptr);
    ~RowWidgetList() override;

    void setRowMaker(RowMaker maker) { m_maker = std::move(maker); }

    void updateEditorGeometries() override;

protected:
    void scrollContentsBy(int dx, int dy) override;

private:
    Q_DISABLE_COPY(RowWidgetList)

    QVector<QPointer<QWidget>> m_inView;
    RowMaker m_maker;
};

} // namespace KvCc
