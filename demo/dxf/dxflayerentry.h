#pragma once

#include "drawingdata.h"
#include "dxfrawpair.h"

#include <QVector>

namespace Demo {

class DxfText;

// One entry of a DXF file's LAYER table, changed pair by pair: a property
// that did not change keeps its bytes, one that did is written as the file's
// version stores it.
class DxfLayerEntry
{
public:
    // The application name layer descriptions are stored under.
    static const QByteArray descriptionApp;
    // A description is an extended data string, which holds at most 255 bytes.
    static constexpr int maxDescriptionBytes = 255;

    explicit DxfLayerEntry(const QVector<DxfRawPair>& pairs) : m_pairs(pairs) {}

    // A copy of a table entry to start a new one from: without its handle
    // links (reactors, extension dictionary) and its extended data.
    static DxfLayerEntry templateFrom(const QVector<DxfRawPair>& pairs);
    // A bare entry, for a table that holds none to copy from.
    static DxfLayerEntry blank(bool withSubclasses, const QByteArray& codeLike);

    // Writes the properties of now that differ from was (all when force).
    void apply(const DrawingLayer& was, const DrawingLayer& now, const DxfText& text, bool force);
    // Sets the handle (code 5), or adds it after the marker when withSubclasses.
    void setHandle(const QByteArray& handle);
    bool hasHandle() const { return indexOf(5) >= 0; }
    // Sets a group that an entry of any table has once (the name, the flags).
    void setGroup(int code, const QByteArray& value);
    // Whether the entry's extended data holds a description.
    bool hasDescription() const;

    const QVector<DxfRawPair>& pairs() const { return m_pairs; }
    QByteArray bytes(const QByteArray& lineEnd) const;

private:
    int indexOf(int code, int from = 0) const;
    // Index where extended data (or the end) begins.
    int xdataStart() const;
    void set(int code, const QByteArray& value, int insertAfterCode);
    void remove(int code);
    void setFlags(const DrawingLayer& now);
    void setColor(const DrawingLayer& now, bool trueColors);
    void setDescription(const QByteArray& description);

    QVector<DxfRawPair> m_pairs;
};

} // namespace Demo
