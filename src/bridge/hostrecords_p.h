#pragma once

#include "kvlayerutility.h"
#include "layeritemdata.h"

#include <dkdbdatabase.h>
#include <dkdbsymboltable.h>

#include <QString>

#include <memory>

// Reading the host's records: shared by the layer bridge and the layer states.
namespace KvCc {

// The host's wide characters are 32 bits (UCS-4).
QString fromHostString(const wchar_t* text);
// True when the host's string converts to exactly this string; compares
// without converting.
bool sameHostString(const wchar_t* text, const QString& string);
// Reads a layer's record into `data`, writing only the fields that differ
// (a name kept keeps its storage); returns whether any did.
bool readLayerOver(const DkDbLayerTableRecord* record, LayerItemData& data);
// Reads a record's name and frees the host's buffer.
QString recordName(const DkDbSymbolTableRecord* record);
// The name of the layer's linetype; empty when its record cannot be opened.
QString linetypeName(const DkDbLayerTableRecord* record);

// Walks the live layers of the current drawing in table order. The visitor
// gets each record open for read and returns true to end the walk and keep
// that record open (it is then handed back); otherwise the record is closed.
template<class Visitor>
DkDbLayerTableRecord* walkLayers(Visitor visit)
{
    DkDbDatabase* db = getCurrentDb();
    if (!db)
        return nullptr;
    DkDbLayerTable* table = nullptr;
    if (db->getSymbolTable(table, DkDb::kForRead) != Dk::eOk || !table)
        return nullptr;
    DkDbLayerTableIterator* it = nullptr;
    const Dk::ErrorStatus es = table->newIterator(it, true, true);
    table->close();
    // The caller of newIterator() owns the iterator.
    const std::unique_ptr<DkDbLayerTableIterator> owned(it);
    if (es != Dk::eOk || !it)
        return nullptr;

    DkDbLayerTableRecord* kept = nullptr;
    for (it->start(true, true); !it->done(); it->step(true, true)) {
        DkDbLayerTableRecord* record = nullptr;
        if (it->getRecord(record, DkDb::kForRead, false) != Dk::eOk || !record)
            continue;
        if (visit(record)) {
            kept = record;
            break;
        }
        record->close();
    }
    return kept;
}

} // namespace KvCc
