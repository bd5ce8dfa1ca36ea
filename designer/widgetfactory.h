#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QObject>
#include <QSize>
#include <QString>

namespace KvCc {

// What Designer shows and uic writes for one widget of the library.
struct WidgetEntry
{
    QString className;   // with its namespace, as uic writes it
    QString header;      // file name under <KvCustomControl/...>
    QString iconPath;    // a picture of the library's own icon set
    QString toolTip;
    QSize defaultSize;
    QWidget* (*create)(QWidget* parent);
};

// Offers one widget of the library to Designer: its box entry, the form
// snippet it drops, and the widget itself.
class WidgetFactory : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
    Q_DISABLE_COPY(WidgetFactory)

public:
    WidgetFactory(const WidgetEntry& entry, QObject* parent);
    ~WidgetFactory() override;

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

private:
    WidgetEntry entry;
    bool initialized = false;
};

} // namespace KvCc
