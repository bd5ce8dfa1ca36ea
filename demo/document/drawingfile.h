#pragma once

#include "dxfimport.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace Demo {

class DrawingDocument;

// The DXF file behind the open drawing. It keeps the bytes it read, so that
// a save writes them back with only the user's layer work changed, and it
// writes through QSaveFile, so that a failed save leaves the old file whole.
class DrawingFile
{
public:
    enum Outcome { Saved, ChangedOnDisk, ReadOnly, Failed };

    // Reads a drawing and keeps the file's bytes when it is one.
    DxfImportResult open(const QString& path, DxfImport::Extent extent = DxfImport::Extent::Whole);
    // The open drawing comes from no file.
    void clear();
    QString path() const { return m_path; }
    bool hasFile() const { return !m_path.isEmpty(); }
    const QByteArray& bytes() const { return m_bytes; }

    // Writes what a save of the document writes to out; false, with why in
    // error, when the document's changes cannot be written into the file
    // exactly or out fails.
    bool contents(const DrawingDocument& document, QIODevice& out, QString& error) const;
    // Writes the document to path. Saving over the file the drawing was read
    // from stops at ChangedOnDisk when another program changed it meanwhile,
    // unless overwrite. message says what went wrong.
    Outcome save(DrawingDocument& document, const QString& path, bool overwrite, QString& message);

private:
    bool changedOnDisk() const;
    void readBack(const QString& path);
    void remember(const QString& path, const QByteArray& bytes);

    QString m_path;
    QByteArray m_bytes;
    qint64 m_size = 0;
};

} // namespace Demo
