#include "viewprojection.h"

#include <cmath>

namespace Demo {
namespace {

struct Vector
{
    double x, y, z;
};

Vector cross(const Vector& a, const Vector& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector normalized(const Vector& v)
{
    const double l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / l, v.y / l, v.z / l};
}

// Each view by name and the direction from the drawing to the eye.
struct StandardView
{
    const char* name;
    Vector eye;
};

const StandardView kViews[] = {
    {"Top", {0, 0, 1}},     {"Bottom", {0, 0, -1}},     {"Left", {-1, 0, 0}},      {"Right", {1, 0, 0}},
    {"Front", {0, -1, 0}},  {"Back", {0, 1, 0}},        {"Southwest", {-1, -1, 1}}, {"Southeast", {1, -1, 1}},
    {"Northeast", {1, 1, 1}}, {"Northwest", {-1, 1, 1}},
};

} // namespace

ViewProjection::ViewProjection(const QString& name) : m_name(QStringLiteral("Top"))
{
    for (const StandardView& view : kViews) {
        if (name.compare(QLatin1String(view.name), Qt::CaseInsensitive) != 0)
            continue;
        m_name = QString::fromLatin1(view.name);
        const Vector forward = normalized({-view.eye.x, -view.eye.y, -view.eye.z});
        // Up is the world's z, or its y when looking straight down or up.
        const bool vertical = view.eye.x == 0 && view.eye.y == 0;
        const Vector worldUp = vertical ? Vector{0, 1, 0} : Vector{0, 0, 1};
        const Vector right = normalized(cross(forward, worldUp));
        const Vector up = cross(right, forward);
        m_toView = QTransform(right.x, up.x, right.y, up.y, 0, 0);
    }
}

QStringList ViewProjection::names()
{
    QStringList out;
    for (const StandardView& view : kViews)
        out << QString::fromLatin1(view.name);
    return out;
}

} // namespace Demo
