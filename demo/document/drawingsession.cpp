#include "drawingsession.h"

#include "linetypetable.h"
#include "samplefloorplan.h"

#include <QFileInfo>

namespace Demo {

DrawingSession::DrawingSession() : m_history(&m_document) {}

DrawingSession::~DrawingSession() = default;

void DrawingSession::openSample()
{
    m_file.clear();
    openDrawing(sampleFloorPlan(), QString());
}

QString DrawingSession::openFile(const QString& path, DxfImport::Extent extent)
{
    DrawingFile file;
    const DxfImportResult result = file.open(path, extent);
    if (!result.ok)
        return result.error;
    openRead(file, result.drawing);
    return QString();
}

void DrawingSession::openRead(const DrawingFile& file, const Drawing& drawing)
{
    m_file = file;
    openDrawing(drawing, file.path());
}

void DrawingSession::openDrawing(const Drawing& drawing, const QString& source)
{
    if (source.isEmpty() || source != m_file.path())
        m_file.clear();
    m_source = source;
    m_document.load(drawing);
    if (m_file.hasFile())
        LinetypeTable(m_document.database()).add(m_file.linetypes());
    m_history.reset();
}

void DrawingSession::close()
{
    m_document.close();
}

QString DrawingSession::displayName() const
{
    return m_source.isEmpty() ? m_document.drawing().title : QFileInfo(m_source).fileName();
}

QString DrawingSession::suggestedPath() const
{
    return m_file.hasFile() ? m_file.path() : m_document.drawing().title + QStringLiteral(".dxf");
}

DrawingFile::Outcome DrawingSession::saveTo(const QString& path, bool overwrite, QString& message)
{
    const DrawingFile::Outcome outcome = m_file.save(m_document, path, overwrite, message);
    if (outcome == DrawingFile::Saved) {
        m_source = path;
        m_history.setClean();
    }
    return outcome;
}

} // namespace Demo
