#include "hostrecords_p.h"

#include <cwchar>

namespace KvCc {

QString fromHostString(const wchar_t* text)
{
    if (!text)
        return QString();
    static_assert(sizeof(wchar_t) == 4, "the host hands out UCS-4 strings");
    // Converted a character at a time: names are read by the thousand on
    // every refresh, and the general UTF-32 decoder would also take a
    // leading U+FEFF for a byte order mark and drop it from the name.
    const std::size_t length = std::wcslen(text);
    const auto beyondBmp = [](char32_t code) { return code > 0xFFFF && code <= 0x10FFFF; };
    std::size_t units = length;
    for (std::size_t i = 0; i < length; ++i)
        units += beyondBmp(static_cast<char32_t>(text[i])) ? 1 : 0;
    QString out(static_cast<int>(units), Qt::Uninitialized);
    QChar* to = out.data();
    for (std::size_t i = 0; i < length; ++i) {
        const auto code = static_cast<char32_t>(text[i]);
        if (beyondBmp(code)) {
            *to++ = QChar(QChar::highSurrogate(code));
            *to++ = QChar(QChar::lowSurrogate(code));
        } else {
            const bool character = code <= 0xFFFF && !QChar::isSurrogate(code);
            *to++ = character ? QChar(static_cast<ushort>(code)) : QChar(QChar::ReplacementCharacter);
        }
    }
    return out;
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
