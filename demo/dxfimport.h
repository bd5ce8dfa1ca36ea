#pragma once

#include "drawingdata.h"

#include <QByteArray>
#include <QString>

namespace Demo {

// Outcome of reading a DXF file: a drawing, or a message for the user.
struct DxfImportResult
{
    bool ok = false;
    QString error;
    Drawing drawing;
};

// Reads ASCII DXF drawings: the layer table, the header variables that
// matter for it, and the common model space entities. dxflib does the
// parsing, but only after a first pass has checked the file and passed on
// a cleaned copy: dxflib trusts counts and line lengths, so every size it
// would act on is bounded here first. The file itself is only read.
class DxfImport
{
public:
    static constexpr qint64 maxFileSize = 256 * 1024 * 1024;
    static constexpr int maxLineLength = 2049;   // longest line a DXF writer produces
    static constexpr int maxNameLength = 255;    // longest layer name a drawing may hold
    static constexpr int maxTextLength = 1000;   // longer text values are cut (dxflib reads 1024)
    static constexpr int maxLayers = 1000000;
    static constexpr int maxEntities = 2000000;

    static DxfImportResult readFile(const QString& path);
    static DxfImportResult readData(const QByteArray& data, const QString& title = QString());
};

} // namespace Demo
