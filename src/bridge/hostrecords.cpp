#include "hostrecords_p.h"

#include <cwchar>

namespace KvCc {

namespace {

// One host character as UTF-16 in `units`, returning how many units it
// takes; anything that is not a character becomes U+FFFD.
int toUtf16(wchar_t character, char16_t* units)
{
    static_assert(sizeof(wchar_t) == 4, "the host hands out UCS-4 strings");
    const auto code = static_cast<char32_t>(character);
    if (code > 0xFFFF && code <= 0x10FFFF) {
        units[0] = QChar::highSurrogate(code);
        units[1] = QChar::lowSurrogate(code);
        return 2;
    }
    const bool isCharacter = code <= 0xFFFF && !QChar::isSurrogate(code);
    units[0] = isCharacter ? static_cast<char16_t>(code) : char16_t(QChar::ReplacementCharacter);
    return 1;
}

} // namespace

// Converted a character at a time: names are read by the thousand on every
// refresh, and the general UTF-32 decoder would also take a leading U+FEFF
// for a byte order mark and drop it from the name.
QString fromHostString(const wchar_t* text)
{
    if (!text)
        return QString();
    const std::size_t length = std::wcslen(text);
    char16_t units[2];
    std::size_t size = 0;
    for (std::size_t i = 0; i < length; ++i)
        size += static_cast<std::size_t>(toUtf16(text[i], units));
    QString out(static_cast<int>(size), Qt::Uninitialized);
    QChar* to = out.data();
    for (std::size_t i = 0; i < length; ++i) {
        const int count = toUtf16(text[i], units);
        for (int unit = 0; unit < count; ++unit)
            *to++ = QChar(units[unit]);
    }
    return out;
}

bool sameHostString(const wchar_t* text, const QString& string)
{
    if (!text)
        return string.isNull();
    const QChar* at = string.constData();
    const QChar* const end = at + string.size();
    char16_t units[2];
    for (; *text; ++text) {
        const int count = toUtf16(*text, units);
        for (int unit = 0; unit < count; ++unit, ++at) {
            if (at == end || at->unicode() != units[unit])
                return false;
        }
    }
    return at == end;
}

bool readLayerOver(const DkDbLayerTableRecord* record, LayerItemData& data)
{
    bool changed = false;
    wchar_t* buffer = nullptr;
    if (record->getName(buffer) != Dk::eOk)
        buffer = nullptr;
    if (!sameHostString(buffer, data.name)) {
        data.name = fromHostString(buffer);
        changed = true;
    }
    dkutDelBuffer(buffer);
    const DkCmColor& color = record->color();
    const QColor rgb(color.red(), color.green(), color.blue(), 255);
    const bool on = !record->isOff();
    const bool locked = record->isLocked();
    const bool frozen = record->isFrozen();
    if (data.color != rgb || data.on != on || data.locked != locked || data.frozen != frozen) {
        data.color = rgb;
        data.on = on;
        data.locked = locked;
        data.frozen = frozen;
        changed = true;
    }
    return changed;
}

QString recordName(const DkDbSymbolTableRecord* record)
{
    wchar_t* buffer = nullptr;
    if (record->getName(buffer) != Dk::eOk)
        return QString();
    const QString name = fromHostString(buffer);
    dkutDelBuffer(buffer);
    return name;
}

QString linetypeName(const DkDbLayerTableRecord* record)
{
    DkDbObject* object = nullptr;
    if (dkdbOpenDkDbObject(object, record->linetypeObjectId(), DkDb::kForRead, false,
                           DkDbSymbolTableRecord::desc())
            != Dk::eOk
        || !object)
        return QString();
    auto* linetype = static_cast<DkDbSymbolTableRecord*>(object);
    const QString name = recordName(linetype);
    linetype->close();
    return name;
}

} // namespace KvCc
