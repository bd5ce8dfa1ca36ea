#pragma once

#include "drawinglayerstatestore.h"

#include <QString>
#include <QStringList>

class QTextStream;

namespace Demo {

class DrawingDocument;
class LayerHistory;

// Carries out a text file of layer commands on a DXF drawing without a
// window, one command a line:
//   new NAME | delete NAME | rename OLD NEW | current NAME
//   on|off|freeze|thaw|lock|unlock|plot|noplot NAME
//   color NAME INDEX|R,G,B | linetype NAME LINETYPE
//   lineweight NAME HUNDREDTHS|bylayer|byblock|default | description NAME TEXT
//   all-on | thaw-all
//   state save NAME | state restore NAME | state delete NAME | state rename OLD NEW
// Names with blanks go in double quotes; blank lines and lines starting
// with '#' are skipped. Each command runs as the window runs it, with the
// same refusals and undo steps; the drawing is saved as Save As saves it,
// and only when every line was carried out.
class LayerBatchEdit
{
public:
    LayerBatchEdit(DrawingDocument* document, LayerHistory* history);

    // Runs one line; "" when done, else why not.
    QString runLine(const QString& line);
    // The whole program: returns its exit status, reports on err.
    static int run(const QString& commandsPath, const QString& inPath, const QString& outPath, QTextStream& err);
    // The words of a line; a double-quoted word may hold blanks. false when a quote is left open.
    static bool split(const QString& line, QStringList& words);

private:
    QString runCommand(const QString& command, const QStringList& args);
    QString runState(const QStringList& args);
    QString setFlag(const QString& command, const QString& name);
    QString setColor(const QString& name, const QString& value);
    QString setLinetype(const QString& name, const QString& linetype);
    QString setLineWeight(const QString& name, const QString& value);
    QString setDescription(const QString& name, const QString& text);

    DrawingDocument* m_document;
    LayerHistory* m_history;
    DrawingLayerStateStore m_states;
};

} // namespace Demo
