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
    QString form = QStringLiteral("<ui version=\"4.0\"><widget class=\"QWidget\" name=\"Form\">"
                                  "<layout class=\"QVBoxLayout\" name=\"layout\">");
    for (QDesignerCustomWidgetInterface* widget : collection->customWidgets()) {
        names << widget->name();
        QVERIFY2(!widget->icon().isNull() && widget->includeFile().startsWith(QLatin1String("<KvCustomControl/")),
                 qPrintable(widget->name()));
        form += QStringLiteral("<item><widget") + widget->domXml().section(QStringLiteral("<widget"), 1).section(QStringLiteral("</ui>"), 0, 0) + QStringLiteral("</item>");
    }
    QCOMPARE(names, QStringList({"KvCc::LayerControl", "KvCc::LayerComboBox", "KvCc::CustomControl",
                                 "KvCc::LayerManager", "KvCc::LayerTableWidget", "KvCc::SearchLayerEdit",
                                 "KvCc::PropertyManager", "KvCc::MinMaxButton", "KvCc::ColorComboBox",
                                 "KvCc::QKvColorComboBox", "KvCc::LineTypeComboBox", "KvCc::LineWidthComboBox",
                                 "KvCc::TextStyleComboBox", "KvCc::VisualStyleComboBox", "KvCc::ViewButton"}));

    QUiLoader uiLoader;
    QBuffer buffer;
    buffer.setData((form + QStringLiteral("</layout></widget></ui>")).toUtf8());
    std::unique_ptr<QWidget> built(uiLoader.load(&buffer));
    QVERIFY2(built, qPrintable(uiLoader.errorString()));
    built->show();
    QVERIFY(QTest::qWaitForWindowExposed(built.get()));
    QStringList builtClasses;
    for (QWidget* widget : built->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        builtClasses << QString::fromLatin1(widget->metaObject()->className());
    QCOMPARE(builtClasses, names);
}

KVCC_TEST_MAIN(TestDesignerPlugin)
#include "tst_designerplugin.moc"
