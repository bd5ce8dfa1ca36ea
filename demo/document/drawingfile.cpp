#include "drawingfile.h"

#include "drawingdocument.h"
#include "dxflayerstatereader.h"
#include "dxfnewdrawing.h"
#include "dxfsaver.h"
#include "readprogress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace Demo {

DxfImportResult DrawingFile::open(const QString& path, DxfImport::Extent extent, ReadProgress* progress)
{
    QFile file(path);
    const QFileInfo info(path);
    // The import gives the messages for what cannot be read.
    if (!info.isFile() || info.size() > DxfImport::maxFileSize || !file.open(QIODevice::ReadOnly))
        return DxfImport::readFile(path);
    DrawingFile opened;
    opened.m_path = path;
    opened.m_keepCopy = extent == DxfImport::Extent::Whole;
    DxfImportResult result;
    // The file is read three times: noted and copied, imported, its layer states read.
    std::unique_ptr<ProgressDevice> counted;
    if (progress) {
        progress->total = 3 * info.size();
        counted = std::make_unique<ProgressDevice>(file, *progress);
    }
    if (!opened.remember(counted ? static_cast<QIODevice&>(*counted) : file)) {
        result.error = QStringLiteral("%1 cannot be read: %2").arg(info.fileName(), file.errorString());
        return result;
    }
    QIODevice& source = opened.m_copy ? static_cast<QIODevice&>(*opened.m_copy) : file;
    if (progress)
        counted = std::make_unique<ProgressDevice>(source, *progress);
    result = DxfImport::readDevice(counted ? static_cast<QIODevice&>(*counted) : source, info.fileName(), extent);
    if (!result.ok) {
        result.error = QStringLiteral("%1: %2").arg(info.fileName(), result.error);
        return result;
    }
    *this = opened;
    return result;
}

void DrawingFile::clear()
{
    *this = DrawingFile();
}

// Notes what file holds, from its start, and copies it aside for a drawing
// kept open (a copy that cannot be made only means the file is read again
// to save).
bool DrawingFile::remember(QIODevice& file)
{
    m_read = DxfFingerprint();
    m_copy.reset();
    if (m_keepCopy) {
        m_copy = std::make_shared<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("kvcc-demo-XXXXXX.dxf")));
        if (!m_copy->open())
            m_copy.reset();
        // Saves use it on the application's thread, whichever thread opened the drawing.
        if (m_copy && QCoreApplication::instance())
            m_copy->moveToThread(QCoreApplication::instance()->thread());
    }
    if (!file.seek(0))
        return false;
    char chunk[65536];
    qint64 got = 0;
    while ((got = file.read(chunk, sizeof chunk)) > 0) {
        m_read.add(chunk, got);
        if (m_copy && m_copy->write(chunk, got) != got)
            m_copy.reset();
    }
    if (m_copy && !m_copy->flush())
        m_copy.reset();
    m_readable = got == 0;
    return m_readable;
}

QVector<QPair<QString, QString>> DrawingFile::linetypes() const
{
    QFile file(m_path);
    if (m_copy)
        return DxfSaver(*m_copy).linetypes();
    if (!hasFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return DxfSaver(file).linetypes();
}

// Why the file cannot be saved from as it was read; "" when it can.
QString DrawingFile::sourceProblem() const
{
    if (!m_readable)
        return QStringLiteral("%1 could not be read back after the last save").arg(QFileInfo(m_path).fileName());
    return QString();
}

bool DrawingFile::contents(const DrawingDocument& document, QIODevice& out, QString& error) const
{
    if (!hasFile()) {
        const QByteArray data = DxfNewDrawing(document.drawing(), document.layerState()).write();
        if (out.write(data) != data.size())
            error = out.errorString();
        return error.isEmpty();
    }
    // Written from scratch, the drawing would lose all but its layers.
    error = sourceProblem();
    QFile file(m_path);
    if (error.isEmpty() && !m_copy && !file.open(QIODevice::ReadOnly))
        error = QStringLiteral("%1 cannot be read: %2").arg(QFileInfo(m_path).fileName(), file.errorString());
    if (!error.isEmpty())
        return false;
    DxfSaver saver(m_copy ? static_cast<QIODevice&>(*m_copy) : file);
    if (saver.readError().isEmpty() && saver.fingerprint() != m_read) {
        error = QStringLiteral("%1 was changed by another program since it was read; open it again")
                    .arg(QFileInfo(m_path).fileName());
        return false;
    }
    DxfLayerEdit edit;
    edit.layers = document.savedLayers();
    edit.savedCurrent = document.savedCurrentLayer();
    edit.current = document.currentLayerName();
    edit.writeStates = document.layerStatesModified();
    if (edit.writeStates)
        edit.states = document.statesToSave();
    return saver.write(edit, out, error);
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
    // The next save copies from what this one wrote.
    QFile written(path);
    m_path = path;
    if (!written.open(QIODevice::ReadOnly) || !remember(written))
        m_readable = false;
    document.markSaved();
    // The states now carry the handles the save gave to new states and layers.
    if (document.layerStates().storable && written.isOpen()) {
        QStringList notes;
        const DxfText text(document.drawing().version, document.drawing().codePage);
        document.reloadLayerStates(DxfLayerStateReader(written, text).states(notes));
    }
    return Saved;
}

// The file on disk no longer holds what was read or last saved. The time
// may stay the same over a change (copies that keep it), and change without
// one: the contents decide.
bool DrawingFile::changedOnDisk() const
{
    const QFileInfo info(m_path);
    if (!info.exists())
        return false;
    if (info.size() != m_read.size())
        return true;
    QFile file(m_path);
    DxfFingerprint now;
    return !file.open(QIODevice::ReadOnly) || !now.addAll(file) || now != m_read;
}

} // namespace Demo
