#pragma once

#include "kvcustomcontrol_export.h"

#include <QByteArray>
#include <QColor>
#include <QFlags>
#include <QString>
#include <QStringList>
#include <QVector>

/// \file
/// Named layer states: a saved look of every layer, and where hosts keep them.

namespace KvCc {

/// The state of every layer of a drawing under a name: captured from the
/// host's current drawing, restored into it, and written as versioned JSON.
class KVCUSTOMCONTROL_EXPORT LayerState
{
public:
    /// Which properties a state holds and a restore applies. The first eight
    /// values equal the bits of the mask that DXF layer-state records store
    /// (group 91).
    enum Property {
        On = 0x1,                 ///< on or off
        Frozen = 0x2,             ///< frozen or thawed
        Locked = 0x4,             ///< locked or unlocked
        Plot = 0x8,               ///< plotted or not
        NewViewportFrozen = 0x10, ///< frozen in new viewports
        Color = 0x20,             ///< the layer's color
        Linetype = 0x40,          ///< the layer's linetype
        Lineweight = 0x80,        ///< the layer's lineweight
        CurrentLayer = 0x1000,    ///< make the state's current layer current again
        AllProperties = 0x10FF    ///< every property above
    };
    /// A set of Property values.
    Q_DECLARE_FLAGS(Properties, Property)

    /// One layer as the state holds it.
    struct KVCUSTOMCONTROL_EXPORT Layer {
        QString name;                   ///< the layer's name
        bool on = true;                 ///< shown
        bool frozen = false;            ///< frozen
        bool locked = false;            ///< locked against edits
        bool plot = true;               ///< plotted
        bool newViewportFrozen = false; ///< frozen in viewports made later
        QColor color;                   ///< the layer's RGB
        int colorIndex = 7;             ///< 1..255 index color, 0 when the color is a true color
        QString linetype;               ///< linetype name
        /// Host lineweight value: hundredths of a millimetre; -3 default, -2 by block, -1 by layer.
        int lineweight = -3;
        /// Equal when every field is equal.
        bool operator==(const Layer& other) const;
        /// The opposite of operator==().
        bool operator!=(const Layer& other) const { return !(*this == other); }
    };

    QString name;                          ///< unique among a drawing's states, compared case-blind
    QString description;                   ///< free text the user gave
    QString currentLayer;                  ///< the drawing's current layer when captured
    Properties properties = AllProperties; ///< what the state holds
    QVector<Layer> layers;                 ///< every layer of the drawing, in table order

    /// Reads every layer of the host's current drawing through the bridge;
    /// with no drawing open the state holds no layers.
    static LayerState capture(const QString& name, const QString& description = QString());

    /// What a restore did.
    struct KVCUSTOMCONTROL_EXPORT RestoreResult {
        QStringList changedLayers;   ///< names of layers whose properties changed
        QStringList refused;         ///< one translated message per write the host refused
        bool currentChanged = false; ///< the drawing's current layer changed
    };
    /// Writes the chosen properties (intersected with `properties`) to the layers of the
    /// current drawing that the state names (matched case-blind); layers the state does
    /// not name are switched off when offOthers is set. Layers the state names that the
    /// drawing lacks are skipped. It tells nobody: the caller (a widget) sends its own
    /// single notice after a restore.
    RestoreResult restore(Properties which, bool offOthers) const;

    /// A stable, versioned text serialisation (UTF-8 JSON) for export files and host storage.
    QByteArray toJson() const;
    /// Reads what toJson() wrote. Anything malformed, of another version, too
    /// large or naming a layer twice is refused: out is left unchanged, false
    /// is returned and error (when given) tells why in a translated text.
    static bool fromJson(const QByteArray& data, LayerState& out, QString* error = nullptr);

    /// Equal when every field is equal.
    bool operator==(const LayerState& other) const;
    /// The opposite of operator==().
    bool operator!=(const LayerState& other) const { return !(*this == other); }
};

/// Where a host keeps its states: the layer-states dialog works on one of these.
class KVCUSTOMCONTROL_EXPORT LayerStateStore
{
public:
    virtual ~LayerStateStore();
    /// The names of the stored states, in the host's order.
    virtual QStringList stateNames() const = 0;
    /// Fills out with the state of this name (case-blind); false when there is none.
    virtual bool loadState(const QString& name, LayerState& out) const = 0;
    /// Adds the state, or replaces the state of that name. Returns "" on
    /// success or a translated message telling why it was refused; so do
    /// removeState() and renameState().
    virtual QString saveState(const LayerState& state) = 0;
    /// Removes the state of this name.
    virtual QString removeState(const QString& name) = 0;
    /// Gives the state oldName the name newName.
    virtual QString renameState(const QString& oldName, const QString& newName) = 0;
};

} // namespace KvCc

Q_DECLARE_OPERATORS_FOR_FLAGS(KvCc::LayerState::Properties)
