#pragma once

#include <QString>
#include <QStringList>
#include <QTransform>

namespace Demo {

// The standard views of a drawing: where the eye looks from, and the map
// that takes a point of the drawing's plan (z = 0) into that view, x to
// the right and y up. Top is the plan itself; the side views see the plan
// edge-on, and the four corner views are isometric.
class ViewProjection
{
public:
    // "Top" when the name is none of the standard views.
    explicit ViewProjection(const QString& name = QStringLiteral("Top"));

    const QString& name() const { return m_name; }
    const QTransform& toView() const { return m_toView; }

    static QStringList names();

private:
    QString m_name;
    QTransform m_toView;
};

} // namespace Demo
