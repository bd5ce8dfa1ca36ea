#pragma once

#include "drawinglayerstate.h"
#include "dxfrawpair.h"
#include "dxftext.h"

#include <QBuffer>
#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

namespace Demo {

// Where a DXF file keeps its named layer states: the LAYER table's
// extension dictionary holds an ACAD_LAYERSTATES dictionary, which names
// one XRECORD per state. Handles are upper case.
struct DxfLayerStateLayout
{
    struct Object
    {
        qint64 begin = -1; // offset of its "0" pair
        qint64 end = -1;   // offset of the next object's
    };
    struct Entry
    {
        QString name;
        QByteArray handle;
    };

    qint64 objectsEnd = -1;       // offset of the first OBJECTS section's ENDSEC
    QByteArray layerTable;        // the LAYER table's handle
    QByteArray tableDictionary;   // its extension dictionary; empty for none
    QByteArray statesDictionary;  // the states dictionary; empty for none
    QHash<QByteArray, Object> dictionaries; // every DICTIONARY of the OBJECTS section
    QHash<QByteArray, Object> records;      // every XRECORD of the OBJECTS section
    QVector<Entry> entries;                 // of the states dictionary, in its order
    QHash<QString, QByteArray> layerHandles; // layerKey() of a layer's name -> handle
    QHash<QByteArray, QString> layerNames;
    QHash<QByteArray, QString> linetypeNames;
    QHash<QString, QByteArray> linetypeHandles; // layerKey() of a linetype's name -> handle

    // A file keeps states when it has a whole OBJECTS section and its layer table a handle.
    bool storable() const { return objectsEnd >= 0 && !layerTable.isEmpty(); }
    // The handle of the linetype of that name (in any letter case); empty for none.
    QByteArray linetypeHandle(const QString& name) const;
};

// Reads the named layer states of a DXF file in one walk over its bytes,
// a chunk at a time, and the few objects it needs again by their offsets.
// A record it cannot read is left out (and kept in the file as it is); an
// entry that names no record is left out.
class DxfLayerStateReader
{
public:
    // Records the reader takes at most, and layers per record.
    static constexpr int maxStates = 10000;
    static constexpr int maxLayers = 100000;

    // Reads source from its start; it must be seekable.
    DxfLayerStateReader(QIODevice& source, const DxfText& text);
    // Reads the bytes of a file held in memory.
    DxfLayerStateReader(const QByteArray& bytes, const DxfText& text);

    const DxfLayerStateLayout& layout() const { return m_layout; }
    // Every state the file holds; notes say what was left out.
    DrawingLayerStates states(QStringList& notes) const;
    // Reads the pairs of one XRECORD; false when they are not a layer state.
    bool parse(const QVector<DxfRawPair>& pairs, DrawingLayerState& out) const;
    // The pairs of an object of the OBJECTS section.
    QVector<DxfRawPair> objectPairs(const DxfLayerStateLayout::Object& object) const;

private:
    void walk();
    void findStates();
    QVector<DxfLayerStateLayout::Entry> dictionaryEntries(const QByteArray& handle) const;
    bool parseLayer(const DxfRawPair& p, DrawingLayerStateEntry& entry) const;

    std::unique_ptr<QBuffer> m_bytes; // for a file held in memory
    QIODevice& m_source;
    const DxfText m_text;
    DxfLayerStateLayout m_layout;
};

} // namespace Demo
