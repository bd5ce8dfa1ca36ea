#pragma once

#include "drawingdata.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace Demo {

// Outcome of reading a DXF file: a drawing, or a message for the user.
struct DxfImportResult
{
    bool ok = false;
    QString error;
    Drawing drawing;
};

// Reads ASCII DXF drawings: the layer table, the header variables that
// matter for it, block definitions and the model space entities. A first
// pass checks the file and bounds every size; dxflib parses a cleaned copy
// of the layer table, and the entities are decoded from the pass's pairs.
// The file itself is only read.
class DxfImport
{
public:
    static constexpr qint64 maxFileSize = 256 * 1024 * 1024;
    static constexpr int maxLineLength = 2049;   // longest line a DXF writer produces
    static constexpr int maxNameLength = 255;    // longest layer name a drawing may hold
    static constexpr int maxTextLength = 1000;   // longer text values are cut (dxflib reads 1024)
    static constexpr int maxLayers = 1000000;
    static constexpr int maxEntities = 2000000;
    static constexpr int maxBlockDepth = 16;         // nesting drawn, so a block inserting itself ends
    static constexpr int maxArrayCells = 10000;      // columns times rows drawn of one reference

    // How much of a drawing to read: all of it, or what a layer edit needs
    // (the header, the layer table, blocks, and objects counted per layer).
    enum class Extent { Whole, Layers };

    static DxfImportResult readFile(const QString& path);
    static DxfImportResult readData(const QByteArray& data, const QString& title = QString(),
                                    Extent extent = Extent::Whole);
    // Reads a drawing from device, from its start, a chunk at a time: the
    // file is read twice (a check for what is no text, then the drawing),
    // so device must be seekable.
    static DxfImportResult readDevice(QIODevice& device, const QString& title = QString(),
                                      Extent extent = Extent::Whole);
};

} // namespace Demo
