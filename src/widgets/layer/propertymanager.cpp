#include "propertymanager.h"

#include "linetypecombobox.h"
#include "linewidthcombobox.h"
#include "qkvcolorcombobox.h"

#include <QGridLayout>
#include <QLabel>

namespace KvCc {

namespace {

// A 16 x 16 label with the host's image; without the image the label keeps
// its place, so the selectors line up all the same.
QLabel* makeLabel(const QString& path)
{
    auto* label = new QLabel;
    label->setFixedSize(16, 16);
    const QPixmap pixmap(path);
    if (!pixmap.isNull())
        label->setPixmap(pixmap.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    return label;
}

} // namespace

PropertyManager::PropertyManager(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QGridLayout;

    colorLabel = makeLabel(QStringLiteral(":/KVRC_COLOR.png"));
    lineWeightLabel = makeLabel(QStringLiteral(":/KVRC_LINEWEIGHT.png"));
    lineTypeLabel = makeLabel(QStringLiteral(":/KVRC_LINETYPE.png"));

    colorComboBox = new QKvColorComboBox;
    lineWeightComboBox = new LineWidthComboBox;
    lineTypeComboBox = new LineTypeComboBox;

    layout->addWidget(colorLabel, 0, 0);
    layout->addWidget(colorComboBox, 0, 1);
    layout->addWidget(lineWeightLabel, 1, 0);
    layout->addWidget(lineWeightComboBox, 1, 1);
    layout->addWidget(lineTypeLabel, 2, 0);
    layout->addWidget(lineTypeComboBox, 2, 1);
    layout->setSpacing(2);
    layout->setContentsMargins(1, 0, 26, 2);
    setLayout(layout);
}

PropertyManager::~PropertyManager() = default;

} // namespace KvCc
