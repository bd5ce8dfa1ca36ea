#include "dxfimport.h"

#include "dxfcollector.h"
#include "dxflayerstatereader.h"
#include "dxfscanner.h"
#include "dxftext.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <cstring>


namespace Demo {
namespace {

// Why the device cannot hold an ASCII DXF drawing at all ("" when it may).
QString refusal(QIODevice& device)
{
    const QString unread = QStringLiteral("the file could not be read: %1.");
    if (!device.seek(0))
        return unread.arg(device.errorString());
    char chunk[65536];
    qint64 size = 0;
    while (true) {
        const qint64 got = device.read(chunk, sizeof chunk);
        if (got < 0)
            return unread.arg(device.errorString());
        if (size == 0 && got > 0 && QByteArray::fromRawData(chunk, static_cast<int>(got)).startsWith("AutoCAD Binary DXF"))
            return QStringLiteral("this is a binary DXF file; save the drawing as ASCII DXF to open it here.");
        size += got;
        if (size > DxfImport::maxFileSize)
            return QStringLiteral("the file is larger than %1 MB.").arg(DxfImport::maxFileSize / (1024 * 1024));
        if (got == 0)
            break;
        if (std::memchr(chunk, '\0', static_cast<size_t>(got)))
            return QStringLiteral("this is not a text file, so it is not an ASCII DXF drawing.");
    }
    if (size == 0)
        return QStringLiteral("the file is empty.");
    return device.seek(0) ? QString() : unread.arg(device.errorString());
}

// The header's current layer when the table holds it, else "0"; never frozen.
void setCurrentLayer(const DxfScan& scan, const DxfText& text, Drawing& drawing)
{
    drawing.currentLayer = QStringLiteral("0");
    if (scan.haveCurrentLayer) {
        const int index = drawing.layerIndex(text.decode(scan.currentLayer));
        if (index >= 0)
            drawing.currentLayer = drawing.layers.at(index).name;
        else
            drawing.notes.append(QStringLiteral("The current layer \"%1\" is not in the layer table; \"0\" is current.")
                                     .arg(text.decode(scan.currentLayer)));
    }
    const int current = drawing.layerIndex(drawing.currentLayer);
    if (current >= 0 && drawing.layers[current].frozen) {
        drawing.layers[current].frozen = false;
        drawing.notes.append(QStringLiteral("The current layer was frozen; it was thawed."));
    }
}

} // namespace

DxfImportResult DxfImport::readFile(const QString& path)
{
    DxfImportResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = QStringLiteral("%1 does not exist.").arg(path);
        return result;
    }
    if (!info.isFile()) {
        result.error = QStringLiteral("%1 is not a file.").arg(path);
        return result;
    }
    if (info.size() > maxFileSize) {
        result.error = QStringLiteral("%1 is %2 MB; this viewer opens drawings of up to %3 MB.")
                           .arg(path)
                           .arg(info.size() / (1024 * 1024))
                           .arg(maxFileSize / (1024 * 1024));
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
        return result;
    }
    result = readDevice(file, info.fileName());
    if (!result.ok)
        result.error = QStringLiteral("%1: %2").arg(info.fileName(), result.error);
    return result;
}

DxfImportResult DxfImport::readData(const QByteArray& data, const QString& title, Extent extent)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return readDevice(buffer, title, extent);
}

DxfImportResult DxfImport::readDevice(QIODevice& device, const QString& title, Extent extent)
{
    DxfImportResult result;
    result.drawing.title = title;
    result.error = refusal(device);
    if (!result.error.isEmpty())
        return result;
    DxfScan scan;
    Drawing& drawing = result.drawing;
    DxfCollector collector(scan, drawing, extent == Extent::Layers);
    DxfScanner scanner(device, scan, collector);
    const QString error = scanner.run();
    if (!error.isEmpty()) {
        result.error = error.at(0).toUpper() + error.mid(1) + QLatin1Char('.');
        result.drawing = Drawing();
        return result;
    }
    result.error = collector.finish();
    if (!result.error.isEmpty())
        return result;
    setCurrentLayer(scan, DxfText(scan.version, scan.codePage), drawing);
    drawing.version = scan.version;
    drawing.codePage = scan.codePage;
    // The states are read in a pass of their own, where the device can go back.
    QStringList notes;
    if (!device.isSequential())
        drawing.layerStates = DxfLayerStateReader(device, DxfText(scan.version, scan.codePage)).states(notes);
    for (const QString& note : notes)
        drawing.noteOnce(note);
    if (scanner.textCut())
        drawing.notes.append(QStringLiteral("Texts longer than %1 characters were shortened.").arg(maxTextLength));
    result.ok = true;
    return result;
}

} // namespace Demo
