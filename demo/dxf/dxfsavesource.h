#pragma once

#include "dxffingerprint.h"
#include "dxftablebytes.h"

#include <QByteArray>
#include <QIODevice>
#include <QSet>
#include <QString>

namespace Demo {

class DxfPairStream;

// The DXF file a save copies from, read in passes of one chunk at a time.
// The first pass learns what a save needs of the file's head (up to the end
// of its TABLES section): the header variables it changes or reads, the
// LAYER, APPID and LTYPE tables as text, and the handles in them. Pairs are
// counted from the file's start, so later passes find these places again
// by their ordinals. Every pass must read the bytes the first one did.
class DxfSaveSource
{
public:
    // device is read from its start at each pass, so it must be seekable.
    explicit DxfSaveSource(QIODevice& device);

    QIODevice& device() { return m_device; }
    // Why the file cannot be saved from (it cannot be read, or it changed
    // between passes); empty when it can.
    const QString& error() const { return m_error; }
    const DxfFingerprint& fingerprint() const { return m_fingerprint; }

    // Starts a pass at the file's start; false when it cannot.
    bool rewind();
    // Reads the rest of a pass; false when it did not read what the first pass did.
    bool endPass(DxfPairStream& pass);
    // A pass over every pair: the highest handle in the file, and one step
    // of the objects dropped takes along (objects of the OBJECTS section
    // owned by one in it, added to it). markers gets the ordinals of the
    // markers of the objects in dropped. Returns whether dropped grew.
    bool walkObjects(QSet<QByteArray>& dropped, QSet<qint64>& markers, qulonglong& highest);

    qint64 headPairs() const { return m_headPairs; }   // pairs up to the end of the TABLES section
    const QByteArray& lineEnd() const { return m_lineEnd; }
    const QByteArray& codeLike() const { return m_codeLike; } // the first code line
    const QByteArray& version() const { return m_version; }
    const QByteArray& codePage() const { return m_codePage; }
    const DxfTableBytes& layers() const { return m_layers; }
    const DxfTableBytes& apps() const { return m_apps; }
    const DxfTableBytes& linetypes() const { return m_linetypes; }
    qint64 handSeed() const { return m_handSeed; }   // ordinal of $HANDSEED's value; -1 for none
    qint64 headerEnd() const { return m_headerEnd; } // ordinal of the header's ENDSEC; -1 for none
    bool hasCurrentLayer() const { return m_haveCurrent; }
    // Above the seed and every handle of the head.
    qulonglong firstFreeHandle() const { return m_firstFree; }

private:
    void learn();
    void learnPair(const DxfPairStream& s, QByteArray& variable);
    void learnTable(const DxfPairStream& s);

    QIODevice& m_device;
    DxfFingerprint m_fingerprint;
    QString m_error;
    qint64 m_headPairs = 0;
    QByteArray m_lineEnd = "\n";
    QByteArray m_codeLike = "  0";
    QByteArray m_version;
    QByteArray m_codePage;
    DxfTableBytes m_layers;
    DxfTableBytes m_apps;
    DxfTableBytes m_linetypes;
    DxfTableBytes* m_learning = nullptr; // the table the first pass is in
    QByteArray m_tableMarker;            // the pair before, when a TABLE marker
    qint64 m_tableMarkerAt = -1;
    qint64 m_handSeed = -1;
    qint64 m_headerEnd = -1;
    bool m_haveCurrent = false;
    qulonglong m_firstFree = 1;
};

} // namespace Demo
