// Loads the installed Designer plugin as Designer does and builds a form of
// every widget it offers through QUiLoader, as a host's .ui files are built.
#include "kvcctest.h"

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiTools/QUiLoader>

#include <QBuffer>
#include <QPluginLoader>

class TestDesignerPlugin : public QObject
{
    Q_OBJECT

private slots:
    void theInstalledPluginOffersEveryWidgetAndFormsBuildThem();
};

void TestDesignerPlugin::theInstalledPluginOffersEveryWidgetAndFormsBuildThem()
{
    const QString pluginDir = qEnvironmentVariable("QT_PLUGIN_PATH") + QStringLiteral("/designer");
    QPluginLoader loader(pluginDir + QStringLiteral("/libkvcustomcontrolplugin.so"));
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    QVERIFY2(collection, qPrintable(loader.errorString()));

    QStringList names;
    QString form = QStringLiteral("<ui version=\"4.0\"><class>Form</class><widget class=\"QWidget\" name=\"Form\">"
                                  "<layout class=\"QVBoxLayout\" name=\"layout\">");
    for (QDesignerCustomWidgetInterface* widget : collection->customWidgets()) {
        names << widget->name();
        QVERIFY2(!widget->icon().isNull() && !widget->toolTip().isEmpty(), qPrintable(widget->name()));
        QCOMPARE(widget->group(), QStringLiteral("KvCustomControl CAD widgets"));
        QVERIFY(widget->includeFile().startsWith(QLatin1String("<KvCustomControl/")));
        const QString snippet = widget->domXml().section(QStringLiteral("<widget"), 1).section(QStringLiteral("</ui>"), 0, 0);
        form += QStringLiteral("<item><widget") + snippet + QStringLiteral("</item>");
    }
    form += QStringLiteral("</layout></widget></ui>");
    QCOMPARE(names, QStringList({"KvCc::LayerControl", "KvCc::LayerComboBox", "KvCc::CustomControl",
                                 "KvCc::LayerManager", "KvCc::LayerTableWidget", "KvCc::SearchLayerEdit",
                                 "KvCc::PropertyManager", "KvCc::MinMaxButton", "KvCc::ColorComboBox",
                                 "KvCc::QKvColorComboBox", "KvCc::LineTypeComboBox", "KvCc::LineWidthComboBox",
                                 "KvCc::TextStyleComboBox", "KvCc::VisualStyleComboBox", "KvCc::ViewButton"}));

    QUiLoader uiLoader;
    QBuffer buffer;
    buffer.setData(form.toUtf8());
    std::unique_ptr<QWidget> built(uiLoader.load(&buffer));
    QVERIFY2(built, qPrintable(uiLoader.errorString()));
    built->show();
    QVERIFY(QTest::qWaitForWindowExposed(built.get()));
    for (const QString& name : names) {
        QString objectName = name.mid(6);
        objectName[0] = objectName.at(0).toLower();
        auto* widget = built->findChild<QWidget*>(objectName);
        QVERIFY2(widget && widget->isVisible(), qPrintable(name));
        QCOMPARE(widget->metaObject()->className(), qPrintable(name));
    }
}

KVCC_TEST_MAIN(TestDesignerPlugin)
#include "tst_designerplugin.moc"
