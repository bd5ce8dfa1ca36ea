#pragma once

#include "dxfpairreader.h"

#include <QPointF>
#include <QVector>

#include <cmath>

namespace Demo {

// The group values of one entity, looked up by code. A number that does
// not read, is not finite or is beyond 1e15 counts as absent, so nothing a
// file holds can overflow the geometry built from it.
class DxfFields
{
public:
    explicit DxfFields(const QVector<DxfPair>& body) : m_body(body) {}

    const QVector<DxfPair>& pairs() const { return m_body; }

    bool has(int code) const
    {
        for (const DxfPair& p : m_body) {
            if (p.code == code)
                return true;
        }
        return false;
    }

    QByteArray text(int code) const
    {
        for (const DxfPair& p : m_body) {
            if (p.code == code)
                return p.value;
        }
        return QByteArray();
    }

    double real(int code, double fallback = 0) const
    {
        for (const DxfPair& p : m_body) {
            if (p.code == code)
                return number(p.value, fallback);
        }
        return fallback;
    }

    int integer(int code, int fallback = 0) const
    {
        const double value = real(code, fallback);
        return std::fabs(value) < 2e9 ? static_cast<int>(value) : fallback;
    }

    // The point of codes xCode and xCode + 10.
    QPointF point(int xCode) const { return QPointF(real(xCode), real(xCode + 10)); }

    static double number(const QByteArray& value, double fallback)
    {
        bool ok = false;
        const double v = value.trimmed().toDouble(&ok);
        return ok && std::isfinite(v) && std::fabs(v) <= 1e15 ? v : fallback;
    }

private:
    const QVector<DxfPair>& m_body;
};

} // namespace Demo
