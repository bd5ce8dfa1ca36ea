#include "hostrecords_p.h"

#include <cwchar>

namespace KvCc {

QString fromHostString(const wchar_t* text)
{
    if (!text)
        return QString();
    static_assert(sizeof(wchar_t) == 4, "the host hands out UCS-4 strings");
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(text), static_cast<int>(std::wcslen(text)));
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
