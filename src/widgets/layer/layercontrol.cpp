#include "layercontrol.h"

#include "layercombobox.h"

#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>

namespace KvCc {

namespace {

const QString layersIconPath = QStringLiteral(":/KVRC_LAYERS.png");
const QString unfoldIconPath = QStringLiteral(":/ribbonMaximize.png");
const QString foldIconPath = QStringLiteral(":/ribbonMinimize.png");

// The host's image at 16 x 16, or a null icon when the host has none.
QIcon scaledIcon(const QString& path)
{
    const QPixmap pixmap(path);
    if (pixmap.isNull())
        return QIcon();
    return QIcon(pixmap.scaled(16, 16));
}

// The fold button must stay findable when the host supplies no fold images,
// so it then shows the style's shade arrows.
QIcon foldButtonIcon(const QWidget* button, bool isFolded, bool scaled)
{
    const QString path = isFolded ? unfoldIconPath : foldIconPath;
    if (QFile::exists(path))
        return scaled ? scaledIcon(path) : QIcon(path);
    return button->style()->standardIcon(isFolded ? QStyle::SP_TitleBarUnshadeButton
                                                  : QStyle::SP_TitleBarShadeButton,
                                         nullptr, button);
}

} // namespace

LayerControl::LayerControl(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout;

    layerButton = new QPushButton(scaledIcon(layersIconPath), QString());
    layerButton->setFixedSize(16, 16);
    layerButton->setFlat(true);

    layerComboBox = new LayerComboBox;

    folderButton = new QPushButton;
    folderButton->setIcon(foldButtonIcon(folderButton, true, true));
    folderButton->setFixedSize(16, 16);
    folderButton->setFlat(true);
    connect(folderButton, &QPushButton::clicked, this, &LayerControl::folderClicked);

    layout->addWidget(layerButton);
    layout->addWidget(layerComboBox);
    layout->addWidget(folderButton);
    layout->setSpacing(2);
    layout->setContentsMargins(1, 2, 1, 2);
    setLayout(layout);
}

LayerControl::~LayerControl() = default;

bool LayerControl::event(QEvent* event)
{
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        emit geometryChanged();
    return result;
}

QSize LayerControl::sizeHint() const
{
    return QSize(190, 24);
}

void LayerControl::folderClicked()
{
    isFolded = !isFolded;
    emit folded(isFolded);
    folderButton->setIcon(foldButtonIcon(folderButton, isFolded, false));
}

} // namespace KvCc
