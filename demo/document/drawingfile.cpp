#include "drawingfile.h"

#include "drawingdocument.h"
#include "dxflayerstatereader.h"
#include "dxfnewdrawing.h"
#include "dxfsaver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Demo {

DxfImportResult DrawingFile::open(const QString& path, DxfImport::Extent extent)
{
    QFile file(path);
    const QFileInfo info(path);
    // The import gives the messages for what cannot be read.
    if (!info.isFile() || info.size() > DxfImport::maxFileSize || !file.open(QIODevice::ReadOnly))
        return DxfImport::readFile(path);
    const QByteArray data = file.read(DxfImport::maxFileSize + 1);
    file.close();
    DxfImportResult result = DxfImport::readData(data, info.fileName(), extent);
    if (!result.ok) {
        result.error = QStringLiteral("%1: %2").arg(info.fileName(), result.error);
        return result;
    }
    remember(path, data);
    return result;
}

void DrawingFile::clear()
{
    m_path.clear();
    m_bytes.clear();
    m_size = 0;
}

bool DrawingFile::contents(const DrawingDocument& document, QIODevice& out, QString& error) const
{
    if (hasFile() && m_bytes.isEmpty()) {
        // Written from scratch, the drawing would lose all but its layers.
        error = QStringLiteral("%1 could not be read back after the last save").arg(QFileInfo(m_path).fileName());
        return false;
    }
    if (!hasFile()) {
        const QByteArray data = DxfNewDrawing(document.drawing(), document.layerState()).write();
        if (out.write(data) != data.size())
            error = out.errorString();
        return error.isEmpty();
    }
    DxfLayerEdit edit;
    edit.layers = document.savedLayers();
    edit.savedCurrent = document.savedCurrentLayer();
    edit.current = document.currentLayerName();
    edit.writeStates = document.layerStatesModified();
    if (edit.writeStates)
        edit.states = document.statesToSave();
    return DxfSaver(m_bytes).write(edit, out, error);
}

DrawingFile::Outcome DrawingFile::save(DrawingDocument& document, const QString& path, bool overwrite,
                                       QString& message)
{
    const QFileInfo target(path);
    const bool sameFile = hasFile() && target.absoluteFilePath() == QFileInfo(m_path).absoluteFilePath();
    if (sameFile && !overwrite && changedOnDisk()) {
        message = QStringLiteral("%1 was changed by another program since it was opened.").arg(target.fileName());
        return ChangedOnDisk;
    }
    // Writing replaces what is at path: a pipe or a device would be swapped
    // for a plain file, so only regular files are written over.
    if (target.exists() && !target.isFile()) {
        message = QStringLiteral("%1 is not a regular file; the drawing is not written there.").arg(target.fileName());
        return Failed;
    }
    const QFileInfo folder(target.absolutePath());
    if ((target.exists() && !target.isWritable()) || !folder.isWritable()) {
        message = QStringLiteral("%1 cannot be written: %2 is read-only.")
                      .arg(target.fileName(), target.exists() && !target.isWritable() ? QStringLiteral("the file")
                                                                                       : QStringLiteral("its folder"));
        return ReadOnly;
    }
    QSaveFile file(path);
    QString problem;
    // A write that fails in the buffer shows only at the flush; committing
    // then would rename a short file over the drawing. A refused edit is
    // never committed, so the old file stays whole.
    if (!file.open(QIODevice::WriteOnly) || !contents(document, file, problem) || !file.flush() || !file.commit()) {
        message = QStringLiteral("%1 could not be saved: %2")
                      .arg(target.fileName(), problem.isEmpty() ? file.errorString() : problem + QLatin1Char('.'));
        return Failed;
    }
    readBack(path);
    document.markSaved();
    // The states now carry the handles the save gave to new states and layers.
    if (document.layerStates().storable) {
        QStringList notes;
        const DxfText text(document.drawing().version, document.drawing().codePage);
        document.reloadLayerStates(DxfLayerStateReader(m_bytes, text).states(notes));
    }
    return Saved;
}

// The file on disk no longer holds what was read or last saved.
bool DrawingFile::changedOnDisk() const
{
    const QFileInfo info(m_path);
    if (!info.exists())
        return false;
    if (info.size() != m_size)
        return true;
    // The time may stay the same over a change (copies that keep it), and
    // change without one: the contents decide.
    QFile file(m_path);
    return !file.open(QIODevice::ReadOnly) || file.readAll() != m_bytes;
}

// The next save copies from what this one wrote. The bytes held are let
// go first, so that a save never holds the file twice.
void DrawingFile::readBack(const QString& path)
{
    m_bytes.clear();
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(DxfImport::maxFileSize + 1);
    remember(path, bytes);
}

void DrawingFile::remember(const QString& path, const QByteArray& bytes)
{
    m_path = path;
    m_bytes = bytes;
    m_size = bytes.size();
}

} // namespace Demo
