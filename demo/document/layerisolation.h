#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace Demo {

class DrawingDocument;

// What isolating layers changed, so that unisolating can put back just
// that. Isolating shows only the named layers: it turns them on and thaws
// them, hides every other visible layer (off, or frozen) and makes one of
// them current when the current layer is not among them. Each change is
// kept with the value it replaced and the value it set; unisolating puts
// back a change only while the layer still holds the value isolating set,
// so a layer the user changed since keeps the user's change, and one
// deleted since is passed over. Changes are kept by slot, so a layer
// renamed since is still found. Nothing is forgotten on unisolating: an
// undo of it makes the isolation active again.
class LayerIsolation
{
public:
    void clear();

    // Each returns an empty string on success, else the message to show.
    QString isolate(DrawingDocument& document, const QStringList& names, bool byFreezing);
    QString unisolate(DrawingDocument& document);
    // Whether unisolating would put anything back.
    bool isActive(const DrawingDocument& document) const;

private:
    enum Flag { On, Frozen };
    struct Change
    {
        int slot = -1;
        Flag flag = On;
        bool before = false;
        bool isolated = false;
    };

    // Sets the flag of the slot's layer and keeps the change; false when the
    // layer held the value already.
    bool change(DrawingDocument& document, int slot, Flag flag, bool value, QString& error);
    bool holdsIsolated(const DrawingDocument& document, const Change& change) const;
    bool currentIsIsolated(const DrawingDocument& document) const;
    // Puts back the active changes that show a layer again (or that hide one).
    void restore(DrawingDocument& document, bool showing, QStringList& problems) const;

    QMap<int, Change> m_changes; // by slot * 2 + flag
    int m_currentBefore = -1; // slots; -1 when isolating kept the current layer
    int m_currentIsolated = -1;
};

} // namespace Demo
