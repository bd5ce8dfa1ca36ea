#include "dxflayerentry.h"

#include "acipalette.h"
#include "dxftext.h"

namespace Demo {
namespace {

// Layer flags: frozen, frozen in new viewports, locked.
const int kFrozenFlag = 1;
const int kNewViewportFrozenFlag = 2;
const int kLockedFlag = 4;

QByteArray trueColorValue(const QColor& color)
{
    return QByteArray::number((color.red() << 16) | (color.green() << 8) | color.blue());
}

} // namespace

const QByteArray DxfLayerEntry::descriptionApp = QByteArrayLiteral("AcAecLayerStandard");

DxfLayerEntry DxfLayerEntry::templateFrom(const QVector<DxfRawPair>& pairs)
{
    QVector<DxfRawPair> kept;
    bool inGroup = false;
    for (const DxfRawPair& p : pairs) {
        if (p.code >= 1000)
            break;
        if (p.code == 102) {
            inGroup = p.value.startsWith('{');
            continue;
        }
        if (!inGroup)
            kept.append(p);
    }
    return DxfLayerEntry(kept);
}

DxfLayerEntry DxfLayerEntry::blank(bool withSubclasses, const QByteArray& codeLike)
{
    QVector<DxfRawPair> pairs{DxfRawPair(0, "LAYER", codeLike)};
    if (withSubclasses) {
        pairs.append(DxfRawPair(100, "AcDbSymbolTableRecord", codeLike));
        pairs.append(DxfRawPair(100, "AcDbLayerTableRecord", codeLike));
    }
    pairs.append(DxfRawPair(2, "0", codeLike));
    pairs.append(DxfRawPair(70, "0", codeLike));
    pairs.append(DxfRawPair(62, "7", codeLike));
    pairs.append(DxfRawPair(6, "Continuous", codeLike));
    return DxfLayerEntry(pairs);
}

void DxfLayerEntry::apply(const DrawingLayer& was, const DrawingLayer& now, const DxfText& text, bool force)
{
    const bool modern = indexOf(100) >= 0;
    if (force || was.name != now.name)
        setGroup(2, text.encode(now.name));
    if (force || was.frozen != now.frozen || was.locked != now.locked
        || was.frozenInNewViewports != now.frozenInNewViewports)
        setFlags(now);
    if (force || was.on != now.on || was.colorIndex != now.colorIndex || was.color.rgb() != now.color.rgb())
        setColor(now, modern);
    if (force || was.linetype != now.linetype)
        set(6, text.encode(now.linetype), 62);
    // A missing plot flag means the layer plots.
    if (modern && (force || was.plottable != now.plottable) && (!now.plottable || indexOf(290) >= 0))
        set(290, now.plottable ? "1" : "0", 6);
    if (modern && (force || was.lineWeight != now.lineWeight))
        set(370, QByteArray::number(now.lineWeight), indexOf(290) >= 0 ? 290 : 6);
    if ((force && !now.description.isEmpty()) || (!force && was.description != now.description))
        setDescription(text.encode(now.description));
}

void DxfLayerEntry::setHandle(const QByteArray& handle)
{
    const int at = indexOf(5);
    if (at >= 0)
        m_pairs[at].setValue(handle);
    else
        m_pairs.insert(1, DxfRawPair(5, handle, m_pairs.first().codeLine));
}

void DxfLayerEntry::setGroup(int code, const QByteArray& value)
{
    set(code, value, indexOf(100) >= 0 ? 100 : 0);
}

bool DxfLayerEntry::hasDescription() const
{
    for (int i = xdataStart(); i < m_pairs.size(); ++i) {
        if (m_pairs.at(i).code == 1001 && m_pairs.at(i).value == descriptionApp)
            return true;
    }
    return false;
}

QByteArray DxfLayerEntry::bytes(const QByteArray& lineEnd) const
{
    QByteArray out;
    for (const DxfRawPair& p : m_pairs)
        out += p.bytes(lineEnd);
    return out;
}

int DxfLayerEntry::indexOf(int code, int from) const
{
    const int end = code >= 1000 ? m_pairs.size() : xdataStart();
    for (int i = from; i < end; ++i) {
        if (m_pairs.at(i).code == code)
            return i;
    }
    return -1;
}

int DxfLayerEntry::xdataStart() const
{
    for (int i = 0; i < m_pairs.size(); ++i) {
        if (m_pairs.at(i).code >= 1000)
            return i;
    }
    return m_pairs.size();
}

// Sets the group, or adds it after the last group of insertAfterCode (else
// before the extended data).
void DxfLayerEntry::set(int code, const QByteArray& value, int insertAfterCode)
{
    const int at = indexOf(code);
    if (at >= 0) {
        m_pairs[at].setValue(value);
        return;
    }
    int after = -1;
    for (int i = 0; i < xdataStart(); ++i) {
        if (m_pairs.at(i).code == insertAfterCode)
            after = i;
    }
    const int position = after >= 0 ? after + 1 : xdataStart();
    m_pairs.insert(position, DxfRawPair(code, value, m_pairs.first().codeLine));
}

void DxfLayerEntry::remove(int code)
{
    const int at = indexOf(code);
    if (at >= 0)
        m_pairs.remove(at);
}

void DxfLayerEntry::setFlags(const DrawingLayer& now)
{
    const int at = indexOf(70);
    int flags = at >= 0 ? m_pairs.at(at).value.trimmed().toInt() : 0;
    flags &= ~(kFrozenFlag | kNewViewportFrozenFlag | kLockedFlag);
    if (now.frozen)
        flags |= kFrozenFlag;
    if (now.frozenInNewViewports)
        flags |= kNewViewportFrozenFlag;
    if (now.locked)
        flags |= kLockedFlag;
    set(70, QByteArray::number(flags), 2);
}

// An index color is stored in 62 alone; a true color also in 420 (from
// R2000 on), with the closest index in 62 for readers that know no true
// color. Off is a negative 62.
void DxfLayerEntry::setColor(const DrawingLayer& now, bool trueColors)
{
    const int index = now.colorIndex > 0 ? now.colorIndex : nearestAciIndex(now.color);
    set(62, QByteArray::number(now.on ? index : -index), 70);
    if (now.colorIndex > 0 || !trueColors)
        remove(420);
    else
        set(420, trueColorValue(now.color), 62);
}

// The description is the second string of the layer's AcAecLayerStandard
// extended data, the first being left empty.
void DxfLayerEntry::setDescription(const QByteArray& description)
{
    int app = -1;
    for (int i = xdataStart(); i < m_pairs.size(); ++i) {
        if (m_pairs.at(i).code == 1001 && m_pairs.at(i).value == descriptionApp)
            app = i;
    }
    const QByteArray codeLike = m_pairs.first().codeLine;
    if (app < 0) {
        m_pairs.append(DxfRawPair(1001, descriptionApp, codeLike));
        m_pairs.append(DxfRawPair(1000, QByteArray(), codeLike));
        m_pairs.append(DxfRawPair(1000, description, codeLike));
        return;
    }
    int strings = 0;
    int i = app + 1;
    for (; i < m_pairs.size() && m_pairs.at(i).code != 1001; ++i) {
        if (m_pairs.at(i).code == 1000 && ++strings == 2) {
            m_pairs[i].setValue(description);
            return;
        }
    }
    for (; strings < 2; ++strings)
        m_pairs.insert(i++, DxfRawPair(1000, strings == 1 ? description : QByteArray(), codeLike));
}

} // namespace Demo
