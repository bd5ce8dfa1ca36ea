#include "drawingrender.h"

#include "drawingcanvas.h"
#include "drawingdocument.h"
#include "dxfimport.h"

#include <QImage>
#include <QSaveFile>
#include <QTextStream>

namespace Demo {

int DrawingRender::run(const Request& request, QTextStream& out, QTextStream& err)
{
    if (request.size.width() < 1 || request.size.height() < 1 || request.size.width() > 20000
        || request.size.height() > 20000) {
        err << "the picture's size must be 1x1 to 20000x20000 pixels\n";
        return 1;
    }
    const DxfImportResult read = DxfImport::readFile(request.input);
    if (!read.ok) {
        err << read.error << '\n';
        return 1;
    }
    DrawingDocument document;
    document.load(read.drawing);
    DrawingCanvas canvas;
    // The canvas keeps a minimum size for the window; a picture may be smaller.
    canvas.setMinimumSize(1, 1);
    canvas.resize(request.size);
    canvas.setPaintOptions(request.options);
    canvas.setDocument(&document);
    canvas.setView(request.view);
    QImage image(request.size, QImage::Format_RGB32);
    canvas.render(&image);

    QSaveFile file(request.output);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        err << "cannot write " << request.output << ": " << file.errorString() << '\n';
        return 1;
    }
    const QRectF area = canvas.viewArea();
    out << "extents " << QString::number(area.left(), 'g', 17) << ' ' << QString::number(area.top(), 'g', 17) << ' '
        << QString::number(area.right(), 'g', 17) << ' ' << QString::number(area.bottom(), 'g', 17) << '\n';
    return 0;
}

} // namespace Demo
