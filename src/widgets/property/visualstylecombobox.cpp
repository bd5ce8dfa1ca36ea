#include "visualstylecombobox.h"

#include <QAbstractItemView>
#include <QPixmap>

namespace KvCc {

VisualStyleComboBox::VisualStyleComboBox(QWidget* parent)
    : BaseComboBox(parent)
{
    setFixedSize(150, 20);
    view()->setFixedWidth(280);
    setItemIconSize(QSize(50, 50));
    setViewMode(1);

    const QStringList paths = {
        QStringLiteral(":/2d_LineFrame.bmp"), QStringLiteral(":/3d_LineFrame.bmp"), QStringLiteral(":/3d_Hide.bmp"),
        QStringLiteral(":/Flat.bmp"),         QStringLiteral(":/Grouraud.bmp"),     QStringLiteral(":/Flat+Edges.bmp"),
        QStringLiteral(":/Gouraud+Edge.bmp"),
    };
    const QStringList texts = {
        tr("2D wireframe"), tr("3D wireframe"), tr("Hidden"),
        tr("Flat"),         tr("Gouraud"),      tr("Flat+Egdes"),
        tr("Gouraud+Egdes"),
    };
    for (int i = 0; i < paths.size(); ++i)
        addItem(QPixmap(paths.at(i)), texts.at(i));

    hideSettingBtn();
    setListWidgetHeight(240);
    setCurrentIndex(0);
}

VisualStyleComboBox::~VisualStyleComboBox() = default;

} // namespace KvCc
