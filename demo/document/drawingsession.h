#pragma once

#include "drawingdocument.h"
#include "drawinglayerstatestore.h"
#include "drawingfile.h"
#include "layerhistory.h"

#include <QString>

namespace Demo {

// The life of the open drawing: where it came from, opening it (the sample,
// or a DXF file), saving it and whether it holds unsaved changes. What to
// ask the user and what to show is left to the caller.
class DrawingSession
{
public:
    DrawingSession();
    ~DrawingSession();
    DrawingSession(const DrawingSession&) = delete;
    DrawingSession& operator=(const DrawingSession&) = delete;

    DrawingDocument* document() { return &m_document; }
    const DrawingDocument* document() const { return &m_document; }
    LayerHistory* history() { return &m_history; }
    DrawingLayerStateStore* layerStates() { return &m_layerStates; }
    const DrawingFile& file() const { return m_file; }

    void openSample();
    // Opens a DXF drawing; on failure returns why and keeps the open drawing.
    QString openFile(const QString& path, DxfImport::Extent extent = DxfImport::Extent::Whole);
    // Opens a drawing read from source (empty: from no file).
    void openDrawing(const Drawing& drawing, const QString& source);
    // Opens a drawing read from file elsewhere (on another thread, say).
    void openRead(const DrawingFile& file, const Drawing& drawing);
    // Leaves the host without a working drawing.
    void close();

    // The file's name, or the drawing's title when it comes from no file.
    QString displayName() const;
    bool hasUnsavedChanges() const { return !m_history.isClean() || m_document.layerStatesModified(); }
    // Where Save goes without asking; empty when it must ask (the sample).
    QString savePath() const { return m_file.hasFile() ? m_file.path() : QString(); }
    // Where Save As starts.
    QString suggestedPath() const;
    // Writes the drawing to path (see DrawingFile::save); once saved, it
    // comes from that file and holds no unsaved changes.
    DrawingFile::Outcome saveTo(const QString& path, bool overwrite, QString& message);

private:
    DrawingDocument m_document;
    LayerHistory m_history;
    DrawingLayerStateStore m_layerStates{&m_document, &m_history};
    DrawingFile m_file;
    QString m_source;
};

} // namespace Demo
