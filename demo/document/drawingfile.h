#pragma once

#include "dxffingerprint.h"
#include "dxfimport.h"

#include <QByteArray>
#include <QIODevice>
#include <QPair>
#include <QString>
#include <QVector>

#include <memory>

class QTemporaryFile;

namespace Demo {

class DrawingDocument;
struct ReadProgress;

// The DXF file behind the open drawing. A save writes the file's bytes back
// with only the user's layer work changed, reading them from disk a chunk
// at a time rather than holding them; it writes through QSaveFile, so that
// a failed save leaves the old file whole.
//
// A drawing read whole (the window's, or the sample once saved) may stay
// open while other programs change or remove its file, so a private copy of
// the file as read or last saved is what its saves read from. A drawing
// read for a layer edit is saved at once and reads its file again; should
// the file no longer be what was read, the save is refused rather than
// mixing two versions.
class DrawingFile
{
public:
    enum Outcome { Saved, ChangedOnDisk, ReadOnly, Failed };

    // Reads a drawing and notes the file when it is one. It may run on a
    // thread of its own; progress, when given, follows the read and can stop it.
    DxfImportResult open(const QString& path, DxfImport::Extent extent = DxfImport::Extent::Whole,
                         ReadProgress* progress = nullptr);
    // The open drawing comes from no file.
    void clear();
    QString path() const { return m_path; }
    bool hasFile() const { return !m_path.isEmpty(); }
    // The file's linetypes, name and description, in table order.
    QVector<QPair<QString, QString>> linetypes() const;

    // Writes what a save of the document writes to out; false, with why in
    // error, when the document's changes cannot be written into the file
    // exactly, the file cannot be read as it was, or out fails.
    bool contents(const DrawingDocument& document, QIODevice& out, QString& error) const;
    // Writes the document to path. Saving over the file the drawing was read
    // from stops at ChangedOnDisk when another program changed it meanwhile,
    // unless overwrite. message says what went wrong.
    Outcome save(DrawingDocument& document, const QString& path, bool overwrite, QString& message);

private:
    bool changedOnDisk() const;
    bool remember(QIODevice& file);
    QString sourceProblem() const;

    QString m_path;
    DxfFingerprint m_read; // the file as read or last saved
    bool m_readable = true; // false when the file could not be read back after a save
    bool m_keepCopy = true; // false for a drawing read for a layer edit
    std::shared_ptr<QTemporaryFile> m_copy;
};

} // namespace Demo
