#pragma once

#include "drawinglayerstate.h"

#include "kvlayerstate.h"

#include <QHash>

namespace Demo {

class DrawingDocument;

// Turns a layer state as the drawing stores it into the library's and
// back: layers by handle into layers by name, the stored flags into
// on/frozen/locked/plot/new-viewport switches, the index or true color,
// the linetype and lineweight, and the mask into the properties held.
class LayerStateMapping
{
public:
    explicit LayerStateMapping(const DrawingDocument& document) : m_document(document) {}

    // Layers the drawing no longer has are left out.
    KvCc::LayerState toLibrary(const DrawingLayerState& stored) const;
    // previous is what the drawing stored under that name before: its
    // record's handle and the groups the demo does not interpret stay.
    DrawingLayerState fromLibrary(const KvCc::LayerState& state, const DrawingLayerState& previous) const;

private:
    QString layerName(const DrawingLayerStateEntry& entry) const;
    // The entry of a layer, from what previous stored of it (by entry key) where it stored it.
    DrawingLayerStateEntry entryFor(const KvCc::LayerState::Layer& layer,
                                    const QHash<QString, const DrawingLayerStateEntry*>& previous) const;

    const DrawingDocument& m_document;
};

} // namespace Demo
