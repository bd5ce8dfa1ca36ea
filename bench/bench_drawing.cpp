#include "benchcase.h"
#include "benchdrawing.h"

#include <drawingcanvas.h>
#include <drawingdocument.h>
#include <dxfimport.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsItemGroup>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

// Opening a drawing against dxflib reading the same file into an empty
// handler (the floor), and painting it against the same entities as items
// of a QGraphicsScene shown by a QGraphicsView, the Qt way a host would pick.
namespace {

// Codes are right-aligned in three places, as drawing programs write them.
void pair(QByteArray& out, int code, const QByteArray& value)
{
    out += QByteArray::number(code).rightJustified(3, ' ') + '\n' + value + '\n';
}

void pair(QByteArray& out, int code, double value)
{
    pair(out, code, QByteArray::number(value, 'g', 10));
}

// Each object's handle, counted up through the file.
QByteArray nextHandle(int& handle)
{
    return QByteArray::number(++handle, 16).toUpper();
}

// What an R2000 writer puts before an entity's own groups.
void entityHead(QByteArray& out, const char* type, const char* subclass, const QByteArray& layer, int& handle)
{
    pair(out, 0, type);
    pair(out, 5, nextHandle(handle));
    pair(out, 330, "1F");
    pair(out, 100, "AcDbEntity");
    pair(out, 8, layer);
    pair(out, 100, subclass);
}

QByteArray layerName(int i)
{
    return i == 0 ? QByteArray("0") : "L" + QByteArray::number(i);
}

// The header and a layer table of layers layers.
void layerTable(QByteArray& out, int layers, int& handle)
{
    pair(out, 0, "SECTION");
    pair(out, 2, "HEADER");
    pair(out, 9, "$ACADVER");
    pair(out, 1, "AC1015");
    pair(out, 0, "ENDSEC");
    pair(out, 0, "SECTION");
    pair(out, 2, "TABLES");
    pair(out, 0, "TABLE");
    pair(out, 2, "LAYER");
    pair(out, 5, "2");
    pair(out, 100, "AcDbSymbolTable");
    pair(out, 70, QByteArray::number(layers));
    for (int i = 0; i < layers; ++i) {
        pair(out, 0, "LAYER");
        pair(out, 5, nextHandle(handle));
        pair(out, 330, "2");
        pair(out, 100, "AcDbSymbolTableRecord");
        pair(out, 100, "AcDbLayerTableRecord");
        pair(out, 2, layerName(i));
        pair(out, 70, "0");
        pair(out, 62, QByteArray::number(1 + i % 254));
        pair(out, 6, "CONTINUOUS");
        pair(out, 370, "-3");
    }
    pair(out, 0, "ENDTAB");
    pair(out, 0, "ENDSEC");
}

// Twenty small blocks of a line, a circle, an arc and a polyline each.
void blockSection(QByteArray& out)
{
    pair(out, 0, "SECTION");
    pair(out, 2, "BLOCKS");
    for (int b = 0; b < 20; ++b) {
        pair(out, 0, "BLOCK");
        pair(out, 8, "0");
        pair(out, 2, "B" + QByteArray::number(b));
        pair(out, 70, "0");
        pair(out, 10, 0.0);
        pair(out, 20, 0.0);
        pair(out, 0, "LINE");
        pair(out, 8, "0");
        pair(out, 10, 0.0);
        pair(out, 20, 0.0);
        pair(out, 11, 0.8);
        pair(out, 21, 0.1 * (b % 7));
        pair(out, 0, "CIRCLE");
        pair(out, 8, "0");
        pair(out, 10, 0.4);
        pair(out, 20, 0.4);
        pair(out, 40, 0.05 + 0.01 * b);
        pair(out, 0, "ARC");
        pair(out, 8, "0");
        pair(out, 10, 0.2);
        pair(out, 20, 0.6);
        pair(out, 40, 0.2);
        pair(out, 50, 0.0);
        pair(out, 51, 90.0 + b);
        pair(out, 0, "LWPOLYLINE");
        pair(out, 8, "0");
        pair(out, 90, "3");
        for (const QPointF& p : {QPointF(0, 0.9), QPointF(0.5, 0.7), QPointF(0.9, 0.9)}) {
            pair(out, 10, p.x());
            pair(out, 20, p.y());
        }
        pair(out, 0, "ENDBLK");
        pair(out, 8, "0");
    }
    pair(out, 0, "ENDSEC");
}

// entities on a grid, one in insertEvery of them a reference to a block,
// each with the groups an R2000 writer gives it.
void entitySection(QByteArray& out, int layers, int entities, int insertEvery, int& handle)
{
    pair(out, 0, "SECTION");
    pair(out, 2, "ENTITIES");
    const int side = 500;
    for (int i = 0; i < entities; ++i) {
        const double x = i % side, y = (i / side) % side + (i / (side * side)) * 0.3;
        const QByteArray layer = layerName(i % layers);
        if (i % insertEvery == 1 % insertEvery) {
            entityHead(out, "INSERT", "AcDbBlockReference", layer, handle);
            pair(out, 2, "B" + QByteArray::number(i % 20));
            pair(out, 10, x);
            pair(out, 20, y);
            pair(out, 30, 0.0);
        } else {
            entityHead(out, "LINE", "AcDbLine", layer, handle);
            pair(out, 10, x);
            pair(out, 20, y);
            pair(out, 30, 0.0);
            pair(out, 11, x + 0.7);
            pair(out, 21, y + 0.5);
            pair(out, 31, 0.0);
        }
    }
    pair(out, 0, "ENDSEC");
}

} // namespace

QByteArray generatedDrawing(int layers, int entities, int insertEvery)
{
    QByteArray out;
    int handle = 0x100;
    layerTable(out, layers, handle);
    blockSection(out);
    entitySection(out, layers, entities, insertEvery, handle);
    pair(out, 0, "EOF");
    return out;
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush();
}

double peakMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

void resetPeak()
{
#ifdef __GLIBC__
    // Memory freed before (the baseline's parse, the generated file) stays
    // resident until handed back; the peak is what comes after.
    malloc_trim(0);
#endif
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}


double dxflibParseMs(const QString& path, int runs)
{
    return medianMs(runs, {}, [&] {
        DL_Dxf dxf;
        DL_CreationAdapter empty;
        dxf.in(path.toStdString(), &empty);
    });
}

namespace {

// The largest drawing in the shared folder beside the clone, if any.
QString largestSharedDrawing()
{
    const QDir dir(qEnvironmentVariable("KVCC_SHARED_DXF_DIR", QStringLiteral(KVCC_SHARED_DXF_DIR)));
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*.dxf")}, QDir::Files, QDir::Size);
    return files.isEmpty() ? QString() : files.first().filePath();
}

BenchResult openCase(const QString& path, int size)
{
    BenchResult result{QStringLiteral("demo.open"), size};
    result.oursMs = medianMs(3, {}, [&] { Demo::DxfImport::readFile(path); });
    result.baselineMs = dxflibParseMs(path, 3);
    return result;
}

// The model space entities as graphics items; a block reference is a group
// of its block's entities, placed by the group's transform.
void addItems(QGraphicsScene& scene, const Demo::Drawing& d, const Demo::EntityList& entities,
              QGraphicsItemGroup* group)
{
    for (const Demo::DrawingEntity& e : entities) {
        QPen pen(d.layers.value(e.layer).color, 1);
        pen.setCosmetic(true);
        QGraphicsItem* item = nullptr;
        if (e.kind == Demo::DrawingEntity::Line) {
            item = new QGraphicsLineItem(QLineF(e.points.value(0), e.points.value(1)));
            static_cast<QGraphicsLineItem*>(item)->setPen(pen);
        } else if (e.kind == Demo::DrawingEntity::Circle || e.kind == Demo::DrawingEntity::Arc) {
            const QPointF c = e.points.value(0);
            auto* ellipse = new QGraphicsEllipseItem(c.x() - e.radius, c.y() - e.radius, 2 * e.radius, 2 * e.radius);
            if (e.kind == Demo::DrawingEntity::Arc) {
                ellipse->setStartAngle(qRound(e.startAngle * 16));
                ellipse->setSpanAngle(qRound((e.endAngle - e.startAngle) * 16));
            }
            ellipse->setPen(pen);
            item = ellipse;
        } else if (e.kind == Demo::DrawingEntity::Polyline) {
            QPainterPath path;
            path.addPolygon(QPolygonF(e.points));
            auto* pathItem = new QGraphicsPathItem(path);
            pathItem->setPen(pen);
            item = pathItem;
        } else if (e.kind == Demo::DrawingEntity::Insert && e.block >= 0) {
            auto* inner = new QGraphicsItemGroup;
            const Demo::DrawingBlock& block = d.blocks.at(e.block);
            addItems(scene, d, block.entities, inner);
            inner->setTransform(QTransform::fromTranslate(-block.base.x(), -block.base.y())
                                * QTransform::fromScale(e.scale.x(), e.scale.y())
                                * QTransform().rotate(e.rotation)
                                * QTransform::fromTranslate(e.points.value(0).x(), e.points.value(0).y()));
            item = inner;
        }
        if (!item)
            continue;
        if (group)
            group->addToGroup(item);
        else
            scene.addItem(item);
    }
}

void paintCases(const QString& path, int size, QVector<BenchResult>& out)
{
    const Demo::DxfImportResult read = Demo::DxfImport::readFile(path);
    Demo::DrawingDocument doc;
    doc.load(read.drawing);
    Demo::DrawingCanvas canvas;
    canvas.resize(1200, 800);
    canvas.setDocument(&doc);
    QGraphicsScene scene;
    scene.setItemIndexMethod(QGraphicsScene::BspTreeIndex);
    addItems(scene, read.drawing, read.drawing.entities, nullptr);
    QGraphicsView view(&scene);
    view.resize(canvas.size());
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setFrameShape(QFrame::NoFrame);
    view.setBackgroundBrush(QColor(33, 40, 48));
    QImage image(canvas.size(), QImage::Format_ARGB32_Premultiplied);
    // Both show the world rectangle the canvas shows.
    const auto match = [&] {
        const QRectF world = canvas.toScreen().inverted().mapRect(QRectF(canvas.rect()));
        view.setTransform(QTransform::fromScale(1, -1));
        view.fitInView(QRectF(world.x(), -world.bottom(), world.width(), world.height()).normalized());
        view.setTransform(QTransform::fromScale(1, -1) * view.transform());
        view.centerOn(world.center());
    };
    const auto paintBoth = [&](const QString& name) {
        match();
        BenchResult r{name, size};
        // A refresh (as a layer change makes) has the canvas draw it all anew.
        r.oursMs = medianMs(5, [&] { canvas.refresh(); }, [&] { canvas.render(&image); });
        r.baselineMs = medianMs(5, {}, [&] { static_cast<QWidget&>(view).render(&image); });
        out << r;
    };
    canvas.zoomExtents();
    paintBoth(QStringLiteral("canvas.paint"));
    canvas.zoomBy(12, QPointF(canvas.width() * 0.15, canvas.height() * 0.85));
    paintBoth(QStringLiteral("canvas.paint.corner"));
    // A pan at a middle zoom, where most of the drawing is still in view.
    canvas.zoomExtents();
    canvas.zoomBy(2, QPointF(canvas.width() / 2.0, canvas.height() / 2.0));
    BenchResult pan{QStringLiteral("canvas.pan"), size};
    pan.oursMs = medianMs(15, [&] { canvas.pan(QPointF(40, 25)); }, [&] { canvas.render(&image); });
    match();
    pan.baselineMs = medianMs(5, [&] { view.translate(40, 25); }, [&] { static_cast<QWidget&>(view).render(&image); });
    out << pan;
}

} // namespace

KVCC_BENCH_GROUP(drawing)
{
    const QString shared = largestSharedDrawing();
    if (!shared.isEmpty())
        out << openCase(shared, int(QFileInfo(shared).size() / 1024));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("generated.dxf"));
    QFile file(path);
    const int entities = quick ? 20000 : 200000;
    if (!file.open(QIODevice::WriteOnly) || file.write(generatedDrawing(quick ? 500 : 5000, entities, 2)) < 0)
        return;
    file.close();
    out << openCase(path, entities);
    paintCases(path, entities, out);
}
