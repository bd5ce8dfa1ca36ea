#include "linetypetable.h"

#include <KvDatabase.h>

namespace Demo {

QVector<Linetype> LinetypeTable::layerLinetypes() const
{
    QVector<Linetype> found;
    DkDbLinetypeTable* table = nullptr;
    if (!m_db || m_db->getSymbolTable(table, DkDb::kForRead) != Dk::eOk || !table)
        return found;
    const std::vector<DkDbObjectId> ids = table->recordIds();
    table->close();
    for (const DkDbObjectId& id : ids) {
        DkDbObject* object = nullptr;
        if (dkdbOpenDkDbObject(object, id, DkDb::kForRead) != Dk::eOk || !object)
            continue;
        const auto* record = static_cast<DkDbLinetypeTableRecord*>(object);
        const QString name = QString::fromStdWString(record->nameString());
        // A layer's linetype is a real one, never "by layer" or "by block".
        if (name.compare(QLatin1String("ByLayer"), Qt::CaseInsensitive) != 0
            && name.compare(QLatin1String("ByBlock"), Qt::CaseInsensitive) != 0)
            found.append(qMakePair(name, QString::fromWCharArray(record->comments())));
        object->close();
    }
    return found;
}

void LinetypeTable::add(const QVector<Linetype>& linetypes)
{
    if (!m_db)
        return;
    for (const Linetype& linetype : linetypes) {
        if (m_db->linetypeId(linetype.first.toStdWString()).isNull())
            m_db->addLinetype(linetype.first.toStdWString(), linetype.second.toStdWString());
    }
}

} // namespace Demo
