#pragma once

#include "drawingentity.h"

#include <QRgb>
#include <QHash>
#include <QString>
#include <QVector>

#include <iterator>

namespace Demo {

// The tables an EntityList packs its entities into.
namespace EntityPacking {

// One per entity, 28 bytes; extra indexes the table of the entity's kind.
struct Record
{
    quint8 kind;
    quint8 flags;            // EntityList::Flag bits
    qint16 lineWeight;
    qint32 layer;
    QRgb color;              // alpha 0: none
    qint32 linetype;         // interned; -1: by layer
    quint32 firstPoint;
    quint32 pointCount;
    qint32 extra;            // -1: none
};
struct Curve
{
    double radius, startAngle, endAngle;
};
struct Words
{
    double height, rotation, wrapWidth, widthFactor, frameGap;
    qint32 text;
    quint8 hAlign, vAlign;
};
struct Reference
{
    qint32 block, name;
    double rotation;
    qint32 placement;        // -1: unscaled, not arrayed, no attributes
};
// What most references do without: a scale, an array, attributes.
struct Placement
{
    QPointF scale, spacing;
    qint32 columns, rows;
    quint32 firstAttribute, attributeCount;
};
struct Loops
{
    quint32 first, count;
};
} // namespace EntityPacking

// The entities of model space or of a block, packed: a small fixed record
// per entity with its kind, layer and style as integers, the points of all
// entities in one shared array, what only some kinds have (arc angles, text,
// a reference's placement, fill loops) in tables of their own, and texts
// and linetype names interned. A list is implicitly shared like a QVector,
// so drawings pass by value cheaply.
//
// Entities go in and come out as DrawingEntity: at() decodes a copy, read()
// decodes into an entity kept by the caller (whose buffers are reused), and
// iterating decodes each entity in turn.
class EntityList
{
public:
    int size() const { return m_records.size(); }
    bool isEmpty() const { return m_records.isEmpty(); }
    void append(const DrawingEntity& e);
    EntityList& operator<<(const DrawingEntity& e)
    {
        append(e);
        return *this;
    }
    void clear() { *this = EntityList(); }
    // Gives back the room kept for more entities, once a list is complete.
    void squeeze();

    DrawingEntity at(int i) const;
    DrawingEntity first() const { return at(0); }
    DrawingEntity last() const { return at(size() - 1); }
    void read(int i, DrawingEntity& into) const;
    DrawingEntity::Kind kind(int i) const { return DrawingEntity::Kind(m_records.at(i).kind); }
    int layer(int i) const { return m_records.at(i).layer; }

    // A block reference's block, by index into the drawing's blocks; until
    // set, the text it was read with names the block.
    void setBlock(int i, int block);
    // Keeps the entities for which keep is true, in order.
    void keepOnly(const QVector<bool>& keep);

    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = DrawingEntity;
        using difference_type = int;
        using pointer = const DrawingEntity*;
        using reference = const DrawingEntity&;

        const_iterator(const EntityList* list, int index) : m_list(list), m_index(index) {}
        const DrawingEntity& operator*() const;
        const DrawingEntity* operator->() const { return &**this; }
        const_iterator& operator++()
        {
            ++m_index;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return m_index == o.m_index; }
        bool operator!=(const const_iterator& o) const { return m_index != o.m_index; }

    private:
        const EntityList* m_list;
        int m_index;
        mutable int m_decoded = -1;
        mutable DrawingEntity m_entity;
    };
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }

private:
    using Record = EntityPacking::Record;
    using Curve = EntityPacking::Curve;
    using Words = EntityPacking::Words;
    using Reference = EntityPacking::Reference;
    using Placement = EntityPacking::Placement;
    using Loops = EntityPacking::Loops;
    enum Flag : quint8 { Closed = 1, ColorByBlock = 2, Patterned = 4, HasColor = 8 };

    int intern(const QString& text);
    const QString& string(qint32 index) const;
    qint32 addExtra(const DrawingEntity& e);
    void readExtra(const Record& r, DrawingEntity& into) const;

    QVector<Record> m_records;
    QVector<QPointF> m_points;
    QVector<Curve> m_curves;
    QVector<Words> m_words;
    QVector<Reference> m_references;
    QVector<Placement> m_placements;
    QVector<Loops> m_loops;
    QVector<int> m_loopSizes;
    QVector<QString> m_strings;
    QHash<QString, int> m_stringIndex;
    QVector<DrawingEntity> m_attributes; // of the references, which have few
};

} // namespace Demo

// The packed tables are plain values, which vectors move as bytes.
Q_DECLARE_TYPEINFO(Demo::EntityPacking::Record, Q_PRIMITIVE_TYPE);
Q_DECLARE_TYPEINFO(Demo::EntityPacking::Curve, Q_PRIMITIVE_TYPE);
Q_DECLARE_TYPEINFO(Demo::EntityPacking::Words, Q_PRIMITIVE_TYPE);
Q_DECLARE_TYPEINFO(Demo::EntityPacking::Reference, Q_PRIMITIVE_TYPE);
Q_DECLARE_TYPEINFO(Demo::EntityPacking::Placement, Q_PRIMITIVE_TYPE);
Q_DECLARE_TYPEINFO(Demo::EntityPacking::Loops, Q_PRIMITIVE_TYPE);
