#include "layercolordialog.h"

#include "acipalette.h"

#include "swatchpainters.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace Demo {

LayerColorDialog::LayerColorDialog(QWidget* parent) : QDialog(parent), m_list(new QListWidget(this)), m_choice(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Select Color"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    m_list->setViewMode(QListView::IconMode);
    m_list->setMovement(QListView::Static);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setIconSize(QSize(16, 16));
    m_list->setGridSize(QSize(22, 22));
    m_list->setMinimumSize(24 * 22 + 8, 11 * 22 + 8);
    for (int i = 1; i <= 255; ++i) {
        auto* item = new QListWidgetItem(QIcon(creatColorPix(aciColor(i))), QString(), m_list);
        item->setToolTip(QStringLiteral("Index color %1").arg(i));
        item->setData(Qt::UserRole, i);
    }
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0)
            return;
        m_index = row + 1;
        m_color = aciColor(m_index);
        showChoice();
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* trueColor = buttons->addButton(QStringLiteral("True Color..."), QDialogButtonBox::ActionRole);
    connect(trueColor, &QPushButton::clicked, this, &LayerColorDialog::pickTrueColor);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Index colors"), this));
    layout->addWidget(m_list);
    layout->addWidget(m_choice);
    layout->addWidget(buttons);
}

LayerColorDialog::~LayerColorDialog() = default;

void LayerColorDialog::setColor(int index, const QColor& color)
{
    m_index = index;
    m_color = index > 0 ? aciColor(index) : color;
    m_list->setCurrentRow(index > 0 ? index - 1 : -1);
    showChoice();
}

void LayerColorDialog::pickTrueColor()
{
    const QColor picked = QColorDialog::getColor(m_color, this, QStringLiteral("True Color"));
    if (!picked.isValid())
        return;
    setColor(aciIndexOf(picked), picked);
}

void LayerColorDialog::showChoice()
{
    m_choice->setText(m_index > 0 ? QStringLiteral("Index color %1").arg(m_index)
                                  : QStringLiteral("True color %1,%2,%3").arg(m_color.red()).arg(m_color.green()).arg(m_color.blue()));
}

} // namespace Demo
