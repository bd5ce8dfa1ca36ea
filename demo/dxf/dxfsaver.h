#pragma once

#include "drawingdata.h"
#include "dxflayerentry.h"
#include "dxfobjectedit.h"
#include "dxfrawpair.h"
#include "dxfsavesource.h"
#include "dxftext.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QPair>
#include <QSet>
#include <QVector>

namespace Demo {

class DxfPairStream;

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
// descriptions are stored under, and the named layer states. Text is
// written in the file's encoding.
// The file is read in passes of a chunk at a time (see DxfSaveSource): one
// learns its head, one copies it with the changes written in, and, only when
// a save needs them, more find its highest handle and the objects a deleted
// layer takes along. Memory is the tables and the changes, not the file.
class DxfSaver
{
public:
    // source is read from its start at each pass, so it must be seekable.
    explicit DxfSaver(QIODevice& source);

    // What the first pass read; a caller compares it with what it read itself.
    const DxfFingerprint& fingerprint() const { return m_file.fingerprint(); }
    // Why the source cannot be read; empty when it was.
    const QString& readError() const { return m_file.error(); }
    // Writes the file with the edit written in to out; false, with why in
    // error, when the edit cannot be written exactly (no complete LAYER
    // table, a layer the file holds twice, text the file cannot keep), the
    // source cannot be read or changed between passes, or out fails.
    bool write(const DxfLayerEdit& edit, QIODevice& out, QString& error);
    // The file's linetypes, name and description, in table order.
    QVector<QPair<QString, QString>> linetypes() const;

private:
    // Where the copy is: the section, the header variable, an object left out.
    struct CopyState
    {
        QByteArray section;
        QByteArray variable;
        bool named = false;
        bool dropping = false;
    };

    bool walkObjects();
    QHash<QString, QVector<int>> entriesOfChanged(const DxfLayerEdit& edit) const;
    QString buildLayerTable(const DxfLayerEdit& edit);
    QString checkText(const DrawingLayer& layer) const;
    void dropOwnedObjects(const QVector<DxfRawPair>& entry);
    DxfLayerEntry newLayerEntry(const DrawingLayer& layer);
    int templateEntry();
    QByteArray buildAppEntry();
    QByteArray nextHandle();
    bool hasApp() const;
    QString prepare(const DxfLayerEdit& edit);
    QString prepareStates(const DxfLayerEdit& edit);
    qint64 offsetOfPair(qint64 ordinal);
    void findReplacedObjects();
    void writeLayerTable(DxfPairStream& s) const;
    bool copyPair(DxfPairStream& s, CopyState& c, const DxfLayerEdit& edit);
    void changePair(DxfPairStream& s, CopyState& c, const DxfLayerEdit& edit);
    QByteArray renamedLayer(const QByteArray& raw);

    DxfSaveSource m_file;
    const DxfText m_text;
    qulonglong m_nextHandle = 0;
    bool m_objectsWalked = false;
    bool m_handlesTaken = false;
    QHash<QString, QByteArray> m_renames; // layerKey() of the old name -> new name, encoded
    QHash<QByteArray, QByteArray> m_renamedRaw; // raw value -> new value, empty when kept
    QHash<int, QByteArray> m_entryChanges; // entry -> its new bytes; empty when deleted
    QByteArray m_added;                    // new entries
    int m_templateEntry = -2;              // the entry new ones copy; -1: none; -2: not looked for yet
    int m_layerCount = -1; // entries written; -1 when the same as read
    QByteArray m_appEntry;
    QSet<QByteArray> m_dropped;  // handles of objects that go with a deleted layer
    QSet<qint64> m_dropMarkers;  // ordinals of their markers
    QHash<QString, QByteArray> m_newLayerHandles; // layerKey() of a new layer's name -> its handle
    DxfObjectEdit m_objects;                      // what the layer states change
    QHash<qint64, QByteArray> m_replaceAt;        // offset of a replaced object's marker -> its new bytes
};

} // namespace Demo
