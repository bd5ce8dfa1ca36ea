#pragma once

#include "drawingdata.h"
#include "dxflayerentry.h"
#include "dxfobjectedit.h"
#include "dxfrawpair.h"
#include "dxftailcopy.h"
#include "dxftext.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QPair>
#include <QSet>
#include <QVector>

namespace Demo {

// One layer as a save sees it: as the file holds it, and as it is now.
struct SavedLayer
{
    bool inFile = false;  // the file holds the layer as saved
    bool erased = false;  // deleted since
    DrawingLayer saved;
    DrawingLayer now;
};

// The layer work a save writes into a file.
struct DxfLayerEdit
{
    QVector<SavedLayer> layers; // table order
    QString savedCurrent;       // current layer as the file holds it
    QString current;
    // The drawing's named layer states as they now are, written when set.
    bool writeStates = false;
    QVector<DrawingLayerState> states;
};

// Writes layer changes into the bytes of a DXF file and leaves every other
// byte as it was: the LAYER table's changed, new and deleted entries and its
// count, $CLAYER, $HANDSEED (new entries take handles from it), the layer
// name of objects on a renamed layer, the application name layer
// descriptions are stored under, and the named layer states. Text is written in the file's encoding.
// Only the file's head (up to the end of its tables) is split into pairs;
// the rest is walked in place and copied as bytes, so that a save costs one
// pass and memory for the tables, not for the file.
class DxfSaver
{
public:
    explicit DxfSaver(const QByteArray& source);

    // Writes the file with the edit written in to out; false, with why in
    // error, when the edit cannot be written exactly (no complete LAYER
    // table, a layer the file holds twice, text the file cannot keep) or
    // out fails.
    bool write(const DxfLayerEdit& edit, QIODevice& out, QString& error);
    // The file's linetypes, name and description, in table order.
    QVector<QPair<QString, QString>> linetypes() const;

private:
    // Where a table's pairs are: [begin, end) with end at its ENDTAB.
    struct TableRange
    {
        int begin = -1;
        int end = -1;
        int count = -1; // index of the table's entry count (code 70)
    };

    void locate();
    TableRange findTable(const char* name) const;
    QVector<QPair<int, int>> entries(const TableRange& table) const;
    QString buildLayerTable(const DxfLayerEdit& edit);
    QString checkText(const DrawingLayer& layer) const;
    void dropOwnedObjects(const QVector<DxfRawPair>& entry);
    DxfLayerEntry newLayerEntry(const DrawingLayer& layer, const TableRange& table);
    QByteArray buildAppEntry();
    QByteArray nextHandle();
    QByteArray handleOf(int index) const;
    bool hasApp() const;
    QString prepare(const DxfLayerEdit& edit);
    QByteArray emitHead(const DxfLayerEdit& edit, QByteArray& section);
    DxfTailCopy tail() const;
    void takeTailHandles();
    QByteArray pairBytes(int index, const QByteArray& section, QByteArray& variable, const DxfLayerEdit& edit);

    const QByteArray& m_source;
    const int m_headEnd;         // bytes of the head
    QVector<DxfRawPair> m_pairs; // the head
    int m_tail = -1;             // where the pairs after the head start; -1: the rest is not pairs
    int m_headBytes = 0;         // bytes of the head's pairs
    bool m_tailHandlesTaken = false;
    QByteArray m_lineEnd;
    QByteArray m_version;
    QByteArray m_codePage;
    DxfText m_text;
    TableRange m_layers;
    TableRange m_apps;
    int m_handSeed = -1;       // index of $HANDSEED's value
    int m_headerEnd = -1;      // index of the header's ENDSEC
    bool m_haveCurrent = false;
    qulonglong m_nextHandle = 0;
    bool m_handlesTaken = false;
    QHash<QString, QByteArray> m_renames; // layerKey() of the old name -> new name, encoded
    QByteArray m_layerTable;
    int m_layerCount = -1; // entries written; -1 when the same as read
    QByteArray m_appEntry;
    QSet<QByteArray> m_dropped; // handles of objects that go with a deleted layer
    QHash<QString, QByteArray> m_newLayerHandles; // layerKey() of a new layer's name -> its handle
    DxfObjectEdit m_objects;    // what the layer states change
};

} // namespace Demo
