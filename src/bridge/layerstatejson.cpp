#include "layerstatejson_p.h"

#include "lineweights.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace KvCc {

namespace {

using Layer = LayerState::Layer;

const char* const formatTag = "kvcc-layer-state";
const int formatVersion = 1;
// Bounds of what a file may hold: far above any real drawing, far below what hurts.
const int maxBytes = 64 * 1024 * 1024;
const int maxLayers = 100000;
const int maxNameLength = 255;
const int maxDescriptionLength = 4096;

struct FlagField {
    const char* key;
    bool Layer::*member;
};
const FlagField flagFields[] = {
    {"on", &Layer::on},
    {"frozen", &Layer::frozen},
    {"locked", &Layer::locked},
    {"plot", &Layer::plot},
    {"newViewportFrozen", &Layer::newViewportFrozen},
};

bool readText(const QJsonObject& object, const char* key, int maxLength, QString& out)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isString() || value.toString().size() > maxLength)
        return false;
    out = value.toString();
    return true;
}

bool readInt(const QJsonObject& object, const char* key, int min, int max, int& out)
{
    const QJsonValue value = object.value(QLatin1String(key));
    const double number = value.toDouble();
    if (!value.isDouble() || number != std::floor(number) || number < min || number > max)
        return false;
    out = static_cast<int>(number);
    return true;
}

bool isLineweight(int value)
{
    return (value >= -3 && value <= -1) || standardLineWeights().contains(value);
}

// Reads one layer; on failure badKey names the field that is missing or wrong.
bool readLayer(const QJsonValue& value, Layer& layer, QString& badKey)
{
    const QJsonObject object = value.toObject();
    for (const FlagField& field : flagFields) {
        const QJsonValue flag = object.value(QLatin1String(field.key));
        badKey = QLatin1String(field.key);
        if (!flag.isBool())
            return false;
        layer.*field.member = flag.toBool();
    }
    static const QRegularExpression rgb(QStringLiteral("^#[0-9a-fA-F]{6}$"));
    QString color;
    const struct {
        const char* key;
        bool ok;
    } checks[] = {
        {"name", readText(object, "name", maxNameLength, layer.name) && !layer.name.isEmpty()},
        {"color", readText(object, "color", 7, color) && rgb.match(color).hasMatch()},
        {"colorIndex", readInt(object, "colorIndex", 0, 255, layer.colorIndex)},
        {"linetype", readText(object, "linetype", maxNameLength, layer.linetype)},
        {"lineweight", readInt(object, "lineweight", -3, 211, layer.lineweight) && isLineweight(layer.lineweight)},
    };
    for (const auto& check : checks) {
        badKey = QLatin1String(check.key);
        if (!check.ok)
            return false;
    }
    layer.color = QColor(color);
    return true;
}

QString badEntry(const QString& key)
{
    return QCoreApplication::translate("KvCc::LayerState", "The entry %1 is missing or not valid.").arg(key);
}

bool readLayers(const QJsonArray& array, LayerState& out, QString& error)
{
    if (array.size() > maxLayers) {
        error = QCoreApplication::translate("KvCc::LayerState", "The layer state holds more than %1 layers.").arg(maxLayers);
        return false;
    }
    QSet<QString> names;
    out.layers.reserve(array.size());
    for (int i = 0; i < array.size(); ++i) {
        Layer layer;
        QString badKey;
        if (!readLayer(array.at(i), layer, badKey)) {
            error = badEntry(QStringLiteral("layers[%1].%2").arg(i).arg(badKey));
            return false;
        }
        const QString key = layer.name.toCaseFolded();
        if (names.contains(key)) {
            error = QCoreApplication::translate("KvCc::LayerState", "The layer %1 is named twice.").arg(layer.name);
            return false;
        }
        names.insert(key);
        out.layers.append(layer);
    }
    return true;
}

// Checks the envelope: size, syntax (the parser refuses text that is not
// UTF-8), tag and version.
bool readEnvelope(const QByteArray& data, QJsonObject& object, QString& error)
{
    if (data.size() > maxBytes) {
        error = QCoreApplication::translate("KvCc::LayerState", "The file is too large for a layer state.");
        return false;
    }
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    object = document.object();
    if (parseError.error != QJsonParseError::NoError || !document.isObject()
        || object.value(QLatin1String("format")).toString() != QLatin1String(formatTag)) {
        error = QCoreApplication::translate("KvCc::LayerState", "The file does not hold a layer state.");
        return false;
    }
    if (object.value(QLatin1String("version")) != QJsonValue(formatVersion)) {
        error = QCoreApplication::translate("KvCc::LayerState", "The layer state is of a format version this program cannot read.");
        return false;
    }
    return true;
}

} // namespace

QByteArray layerStateToJson(const LayerState& state)
{
    QJsonArray layers;
    for (const Layer& layer : state.layers) {
        QJsonObject object{
            {"name", layer.name},
            {"color", layer.color.name()},
            {"colorIndex", layer.colorIndex},
            {"linetype", layer.linetype},
            {"lineweight", layer.lineweight},
        };
        for (const FlagField& field : flagFields)
            object.insert(QLatin1String(field.key), layer.*field.member);
        layers.append(object);
    }
    const QJsonObject root{
        {"format", QLatin1String(formatTag)},
        {"version", formatVersion},
        {"name", state.name},
        {"description", state.description},
        {"currentLayer", state.currentLayer},
        {"properties", static_cast<int>(state.properties)},
        {"layers", layers},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool layerStateFromJson(const QByteArray& data, LayerState& out, QString& error)
{
    QJsonObject object;
    if (!readEnvelope(data, object, error))
        return false;
    int properties = 0;
    const struct {
        const char* key;
        bool ok;
    } checks[] = {
        {"name", readText(object, "name", maxNameLength, out.name) && !out.name.isEmpty()},
        {"description", readText(object, "description", maxDescriptionLength, out.description)},
        {"currentLayer", readText(object, "currentLayer", maxNameLength, out.currentLayer)},
        {"properties", readInt(object, "properties", 0, LayerState::AllProperties, properties)
                           && (properties & ~int(LayerState::AllProperties)) == 0},
        {"layers", object.value(QLatin1String("layers")).isArray()},
    };
    for (const auto& check : checks) {
        if (!check.ok) {
            error = badEntry(QLatin1String(check.key));
            return false;
        }
    }
    out.properties = LayerState::Properties(properties);
    return readLayers(object.value(QLatin1String("layers")).toArray(), out, error);
}

} // namespace KvCc
