#pragma once

#include "dxfobjectedit.h"
#include "dxftext.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QSet>
#include <QString>

namespace Demo {

class DxfPairStream;

// The bytes of a DXF file after its head (its tables), walked in place
// rather than split into pairs: what a save must know of them, and their
// copy with the few groups a layer edit changes.
class DxfTailCopy
{
public:
    // The pairs start at begin; -1 when what follows the head is not pairs.
    DxfTailCopy(const QByteArray& source, int begin, const DxfText& text, const QByteArray& lineEnd);

    // Where a file's head ends: after its TABLES section, else after its
    // HEADER section, else at its end.
    static int headLength(const QByteArray& source);
    // The highest handle (codes 5 and 105) after the head; 0 for none.
    qulonglong highestHandle() const;
    // Adds the objects of the OBJECTS section that handles own, directly
    // or through others, to handles.
    static void addOwned(const QByteArray& source, QSet<QByteArray>& handles);
    // Writes the source from `from` on: objects in dropped are left out and
    // the layer name of objects on a layer in renames (layerKey() of the old
    // name -> new name, encoded) changes. section is the one `from` is in.
    bool copy(QIODevice& out, int from, QByteArray section, const QHash<QString, QByteArray>& renames,
              const QSet<QByteArray>& dropped) const;
    // Objects the copy also replaces, leaves out or adds (none when null).
    void setObjectEdit(const DxfObjectEdit* edit) { m_objects = edit && !edit->isEmpty() ? edit : nullptr; }

private:
    bool objectAt(const DxfPairStream& p, const QSet<QByteArray>& dropped, QByteArray& inserted) const;
    QByteArray renamedLayer(const QByteArray& raw, const QHash<QString, QByteArray>& renames) const;

    const QByteArray& m_source;
    const int m_begin;
    const DxfText m_text;
    const QByteArray m_lineEnd;
    mutable QHash<QByteArray, QByteArray> m_renamedRaw; // raw value -> new value, empty when kept
    const DxfObjectEdit* m_objects = nullptr;
};

} // namespace Demo
