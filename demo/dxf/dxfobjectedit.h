#pragma once

#include <QByteArray>
#include <QHash>

namespace Demo {

// Objects a save changes after a file's tables, found by handle, and the
// extension dictionary it gives the LAYER table.
struct DxfObjectEdit
{
    QByteArray tableDictionary;             // handle of the LAYER table's new extension dictionary
    QHash<QByteArray, QByteArray> replaced; // handle -> bytes written in the object's place; empty: left out
    QByteArray added;                       // new objects
    qint64 addAt = -1;                      // offset in the file where added goes (the objects' ENDSEC)

    bool isEmpty() const { return tableDictionary.isEmpty() && replaced.isEmpty() && added.isEmpty(); }
};

} // namespace Demo
