#include "entitylist.h"

#include <cstring>

namespace Demo {

namespace {

// Copies count items from a packed table into a vector, reusing its buffer.
template <typename T>
void copyInto(QVector<T>& into, const T* from, int count)
{
    into.resize(count);
    if (count)
        std::memcpy(static_cast<void*>(into.data()), from, sizeof(T) * size_t(count));
}

} // namespace

void EntityList::append(const DrawingEntity& e)
{
    Record r;
    r.kind = quint8(e.kind);
    r.flags = quint8((e.closed ? Closed : 0) | (e.colorByBlock ? ColorByBlock : 0) | (e.patterned ? Patterned : 0)
                     | (e.color.isValid() ? HasColor : 0));
    r.lineWeight = qint16(e.lineWeight);
    r.layer = e.layer;
    r.color = e.color.isValid() ? e.color.rgba() : 0;
    r.linetype = e.linetype.isEmpty() ? -1 : intern(e.linetype);
    r.firstPoint = quint32(m_points.size());
    r.pointCount = quint32(e.points.size());
    m_points.append(e.points);
    r.extra = addExtra(e);
    m_records.append(r);
}

qint32 EntityList::addExtra(const DrawingEntity& e)
{
    switch (e.kind) {
    case DrawingEntity::Circle:
    case DrawingEntity::Arc:
        m_curves.append({e.radius, e.startAngle, e.endAngle});
        return m_curves.size() - 1;
    case DrawingEntity::Text:
        m_words.append({e.height, e.rotation, e.wrapWidth, e.scale.x(), e.frameGap, intern(e.text), quint8(e.hAlign),
                        quint8(e.vAlign)});
        return m_words.size() - 1;
    case DrawingEntity::Insert: {
        // Exact comparisons: QPointF's own == is fuzzy.
        const auto same = [](const QPointF& a, const QPointF& b) { return a.x() == b.x() && a.y() == b.y(); };
        const DrawingEntity plain;
        qint32 placement = -1;
        if (!same(e.scale, plain.scale) || !same(e.spacing, plain.spacing) || e.columns != plain.columns
            || e.rows != plain.rows || !e.attributes.empty()) {
            m_placements.append({e.scale, e.spacing, e.columns, e.rows, quint32(m_attributes.size()),
                                 quint32(e.attributes.size())});
            placement = m_placements.size() - 1;
        }
        m_references.append({e.block, e.text.isEmpty() ? -1 : intern(e.text), e.rotation, placement});
        for (const DrawingEntity& a : e.attributes)
            m_attributes.append(a);
        return m_references.size() - 1;
    }
    case DrawingEntity::Fill:
        m_loops.append({quint32(m_loopSizes.size()), quint32(e.loops.size())});
        m_loopSizes.append(e.loops);
        return m_loops.size() - 1;
    default:
        return -1;
    }
}

int EntityList::intern(const QString& text)
{
    const auto found = m_stringIndex.constFind(text);
    if (found != m_stringIndex.constEnd())
        return found.value();
    m_strings.append(text);
    m_stringIndex.insert(text, m_strings.size() - 1);
    return m_strings.size() - 1;
}

const QString& EntityList::string(qint32 index) const
{
    static const QString none;
    return index < 0 ? none : m_strings.at(index);
}

DrawingEntity EntityList::at(int i) const
{
    DrawingEntity e;
    read(i, e);
    return e;
}

void EntityList::read(int i, DrawingEntity& into) const
{
    const Record& r = m_records.at(i);
    into.kind = DrawingEntity::Kind(r.kind);
    into.layer = r.layer;
    into.color = (r.flags & HasColor) ? QColor::fromRgba(r.color) : QColor();
    into.colorByBlock = r.flags & ColorByBlock;
    into.closed = r.flags & Closed;
    into.patterned = r.flags & Patterned;
    into.lineWeight = r.lineWeight;
    into.linetype = string(r.linetype);
    copyInto(into.points, m_points.constData() + r.firstPoint, int(r.pointCount));
    readExtra(r, into);
}

// Sets what only some kinds have, and the defaults of the others.
void EntityList::readExtra(const Record& r, DrawingEntity& into) const
{
    const DrawingEntity plain;
    const Curve curve = r.kind == DrawingEntity::Circle || r.kind == DrawingEntity::Arc
        ? m_curves.at(r.extra) : Curve{plain.radius, plain.startAngle, plain.endAngle};
    into.radius = curve.radius;
    into.startAngle = curve.startAngle;
    into.endAngle = curve.endAngle;
    const bool text = r.kind == DrawingEntity::Text;
    const Words words = text ? m_words.at(r.extra)
                             : Words{plain.height, plain.rotation, plain.wrapWidth, plain.scale.x(), plain.frameGap, -1,
                                     quint8(plain.hAlign), quint8(plain.vAlign)};
    into.height = words.height;
    into.rotation = words.rotation;
    into.wrapWidth = words.wrapWidth;
    into.frameGap = words.frameGap;
    into.text = string(words.text);
    into.hAlign = DrawingEntity::HAlign(words.hAlign);
    into.vAlign = DrawingEntity::VAlign(words.vAlign);
    const bool insert = r.kind == DrawingEntity::Insert;
    const Reference ref = insert ? m_references.at(r.extra) : Reference{plain.block, -1, plain.rotation, -1};
    const Placement at = ref.placement >= 0 ? m_placements.at(ref.placement)
                                            : Placement{plain.scale, plain.spacing, plain.columns, plain.rows, 0, 0};
    into.block = ref.block;
    into.columns = at.columns;
    into.rows = at.rows;
    into.scale = text ? QPointF(words.widthFactor, plain.scale.y()) : at.scale;
    into.spacing = at.spacing;
    if (insert) {
        into.rotation = ref.rotation;
        into.text = string(ref.name);
    }
    into.attributes.assign(m_attributes.constData() + at.firstAttribute,
                           m_attributes.constData() + at.firstAttribute + at.attributeCount);
    const Loops loops = r.kind == DrawingEntity::Fill ? m_loops.at(r.extra) : Loops{0, 0};
    copyInto(into.loops, m_loopSizes.constData() + loops.first, int(loops.count));
}

void EntityList::squeeze()
{
    m_records.squeeze();
    m_points.squeeze();
    m_curves.squeeze();
    m_words.squeeze();
    m_references.squeeze();
    m_placements.squeeze();
    m_loops.squeeze();
    m_loopSizes.squeeze();
}

void EntityList::setBlock(int i, int block)
{
    Reference& ref = m_references[m_records.at(i).extra];
    ref.block = block;
    ref.name = -1;
}

void EntityList::keepOnly(const QVector<bool>& keep)
{
    EntityList kept;
    for (int i = 0; i < size(); ++i) {
        if (keep.value(i))
            kept.append(at(i));
    }
    *this = kept;
}

const DrawingEntity& EntityList::const_iterator::operator*() const
{
    if (m_decoded != m_index) {
        m_list->read(m_index, m_entity);
        m_decoded = m_index;
    }
    return m_entity;
}

} // namespace Demo
