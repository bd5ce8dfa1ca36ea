#pragma once

#include "ribboncontrols_export.h"

#include <QPointer>
#include <QWidget>

namespace JtRc {

class OfficePopupMenu;
class RibbonGalleryGroup;
class RibbonGalleryItem;

// Shows the items of a gallery group in rows and columns of the group's item
// size, with the checked item selected. A press on an item emits
// itemPressed() and leaves the checked item alone: the owner decides what
// becomes checked. A column at the right edge holds scroll buttons when the
// items do not fit and the drop button of the popup menu when there is one.
class RIBBONCONTROLS_EXPORT RibbonGallery : public QWidget
{
    Q_OBJECT

public:
    explicit RibbonGallery(QWidget* parent = nullptr);
    // Deletes the popup menu; leaves the group alone, which may be gone already.
    ~RibbonGallery() override;

    // Shows group without taking ownership; clears the checked item.
    void setGalleryGroup(RibbonGalleryGroup* group);
    RibbonGalleryGroup* getGalleryGroup() const;

    // Captions beside the icons (default) or icons only.
    void setLabelsVisible(bool visible);
    bool isLabelsVisible() const;
    // A frame around the whole gallery (off by default).
    void setBorderVisible(bool visible);
    bool isBorderVisible() const;
    // Whether the scroll buttons show: always, never, or when the items do
    // not fit (default). The mouse wheel scrolls in every case.
    void setScrollBarPolicy(Qt::ScrollBarPolicy policy);
    Qt::ScrollBarPolicy scrollBarPolicy() const;

    // The checked item is drawn selected and scrolled into view; -1 or an
    // item of another group checks nothing.
    void setCheckedIndex(int index);
    int checkedIndex() const;
    void setCheckedItem(const RibbonGalleryItem* item);
    RibbonGalleryItem* checkedItem() const;

    // Takes ownership of menu, which the drop button opens. A previous menu
    // is deleted.
    void setPopupMenu(OfficePopupMenu* menu);
    OfficePopupMenu* popupMenu() const;
    // Opens the popup menu below the gallery without waiting for it to close.
    void showPopup();

    // Where the item is drawn now; empty when it is scrolled out of view.
    QRect itemRect(int index) const;
    // The item drawn at pos, or null.
    RibbonGalleryItem* itemAt(const QPoint& pos) const;

    QSize sizeHint() const override;

signals:
    void itemPressed(RibbonGalleryItem* item);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    Q_DISABLE_COPY(RibbonGallery)

    enum class Control { None, ScrollUp, ScrollDown, Popup };
    struct Layout;

    Layout layout() const;
    int itemCount() const;
    int indexAt(const QPoint& pos) const;
    Control controlAt(const QPoint& pos) const;
    QRect controlRect(const Layout& layout, Control control) const;
    bool controlEnabled(const Layout& layout, Control control) const;
    void drawControl(QPainter* painter, const Layout& layout, Control control) const;
    void scrollRows(int rows);
    void ensureVisible(int index);
    void setHover(int index, Control control);
    void deletePopupMenu();

    QPointer<RibbonGalleryGroup> m_group;
    QPointer<OfficePopupMenu> m_popupMenu;
    bool m_labelsVisible = true;
    bool m_borderVisible = false;
    Qt::ScrollBarPolicy m_scrollBarPolicy = Qt::ScrollBarAsNeeded;
    int m_checkedIndex = -1;
    int m_firstRow = 0;
    int m_hoverIndex = -1;
    Control m_hoverControl = Control::None;
    Control m_pressedControl = Control::None;
};

} // namespace JtRc
