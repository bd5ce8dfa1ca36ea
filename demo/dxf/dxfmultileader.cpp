#include "dxfmultileader.h"

#include "dxffields.h"

namespace Demo {

DxfMultiLeader::DxfMultiLeader(const QVector<DxfPair>& pairs)
{
    for (const DxfPair& p : pairs) {
        if (m_done) {
            // After the context block come the entity's own properties.
            if (p.code == 292)
                framed = DxfFields::number(p.value, 0) != 0;
            continue;
        }
        if (enter(p))
            continue;
        const double v = DxfFields::number(p.value, 0);
        if (m_where == Line && p.code == 10)
            m_line.append(QPointF(v, 0));
        else if (m_where == Line && p.code == 20 && !m_line.isEmpty())
            m_line.last().setY(v);
        else if (m_where == Leader)
            takeLeader(p.code, v);
        else if (m_where == Context)
            takeContext(p, v);
    }
}

bool DxfMultiLeader::enter(const DxfPair& p)
{
    if (p.code == 300 && p.value.startsWith("CONTEXT_DATA"))
        m_where = Context;
    else if (p.code == 302 && m_where == Context)
        m_where = Leader;
    else if (p.code == 304 && m_where == Leader && p.value.startsWith("LEADER_LINE"))
        m_where = Line;
    else if (p.code == 305 && m_where == Line) {
        finishLine();
        m_where = Leader;
    } else if (p.code == 303 && m_where == Leader)
        m_where = Context;
    else {
        m_done = p.code == 301 && m_where == Context;
        return false;
    }
    return true;
}

void DxfMultiLeader::takeLeader(int code, double value)
{
    switch (code) {
    case 10: m_landing.setX(value); break;
    case 20: m_landing.setY(value); break;
    case 11: m_dogleg.setX(value); break;
    case 21: m_dogleg.setY(value); break;
    case 40: m_doglegLength = value; break;
    default: break;
    }
}

void DxfMultiLeader::takeContext(const DxfPair& p, double value)
{
    switch (p.code) {
    case 304: text = p.value; break;
    case 12: textAt.setX(value); break;
    case 22: textAt.setY(value); break;
    case 13: textDirection.setX(value); break;
    case 23: textDirection.setY(value); break;
    case 43: textWidth = value; break;
    case 41: textHeight = value; break;
    case 140: arrowSize = value; break;
    case 145: landingGap = value; break;
    case 171: attachment = static_cast<int>(value); break;
    case 172: drawingDirection = static_cast<int>(value); break;
    default: break;
    }
}

void DxfMultiLeader::finishLine()
{
    if (m_line.isEmpty())
        return;
    m_line << m_landing << m_landing + m_dogleg * m_doglegLength;
    lines << m_line;
    m_line.clear();
}

} // namespace Demo
