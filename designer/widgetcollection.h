#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

#include <QList>
#include <QObject>

namespace KvCc {

// The library's Designer plugin: every widget of the library that a form
// can hold, in a box group of their own.
class WidgetCollection : public QObject, public QDesignerCustomWidgetCollectionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)
    Q_DISABLE_COPY(WidgetCollection)

public:
    explicit WidgetCollection(QObject* parent = nullptr);
    ~WidgetCollection() override;

    QList<QDesignerCustomWidgetInterface*> customWidgets() const override;

private:
    QList<QDesignerCustomWidgetInterface*> factories;
};

} // namespace KvCc
