#include "lineweightlist.h"

#include "swatchpainters.h"

#include <QIconEngine>
#include <QPainter>

namespace KvCc {

namespace {

struct LineWeightRow
{
    const char* mm;
    const char* inch;
};

// Inch texts carry the inch mark directly after the value.
const LineWeightRow rows[LineWeightList::RowCount] = {
    {"By Layer", "By Layer"},
    {"By Block", "By Block"},
    {"Default", "Default"},
    {"0.00 mm", "0.00\""},
    {"0.05 mm", "0.02\""},
    {"0.09 mm", "0.04\""},
    {"0.13 mm", "0.05\""},
    {"0.15 mm", "0.06\""},
    {"0.18 mm", "0.07\""},
    {"0.20 mm", "0.08\""},
    {"0.25 mm", "0.10\""},
    {"0.30 mm", "0.12\""},
    {"0.35 mm", "0.14\""},
    {"0.40 mm", "0.16\""},
    {"0.50 mm", "0.20\""},
    {"0.53 mm", "0.21\""},
    {"0.60 mm", "0.24\""},
    {"0.70 mm", "0.28\""},
    {"0.80 mm", "0.31\""},
    {"0.90 mm", "0.35\""},
    {"1.00 mm", "0.39\""},
    {"1.06 mm", "0.42\""},
    {"1.20 mm", "0.47\""},
    {"1.40 mm", "0.55\""},
    {"1.58 mm", "0.62\""},
    {"2.00 mm", "0.79\""},
    {"2.11 mm", "0.83\""},
};

// Paints the sample bar of the swatch painters straight into the target, so
// that the painter's own pixel density decides how finely it is drawn.
class SampleIconEngine : public QIconEngine
{
public:
    SampleIconEngine(double width, Qt::PenStyle style)
        : width(width)
        , style(style)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / qreal(sampleSize.width()), rect.height() / qreal(sampleSize.height()));
        const QColor color = mode == QIcon::Disabled ? QColor(Qt::gray) : QColor(Qt::black);
        painter->setPen(QPen(QBrush(color, Qt::SolidPattern), width, style, Qt::SquareCap, Qt::BevelJoin));
        painter->drawLine(QLine(4, 9, 41, 9));
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        painter.end();
        return pixmap;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        return sampleSize.scaled(size, Qt::KeepAspectRatio);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) const override { return {sampleSize}; }

    QIconEngine* clone() const override { return new SampleIconEngine(width, style); }

private:
    const QSize sampleSize{48, 16};
    double width;
    Qt::PenStyle style;
};

} // namespace

QStringList LineWeightList::mmTexts()
{
    QStringList texts;
    texts.reserve(RowCount);
    for (const LineWeightRow& row : rows)
        texts << QString::fromLatin1(row.mm);
    return texts;
}

QStringList LineWeightList::inchTexts()
{
    QStringList texts;
    texts.reserve(RowCount);
    for (const LineWeightRow& row : rows)
        texts << QString::fromLatin1(row.inch);
    return texts;
}

QStringList LineWeightList::texts(bool isMM)
{
    return isMM ? mmTexts() : inchTexts();
}

double LineWeightList::sampleWidth(int position)
{
    if (position <= 10)
        return 1.0;
    if (position <= 13)
        return 2.0;
    return (position - 11) + 0.5;
}

QList<QPixmap> LineWeightList::samples(int count)
{
    QList<QPixmap> pixmaps;
    pixmaps.reserve(count);
    for (int position = 0; position < count; ++position)
        pixmaps << drawLineWeight(sampleWidth(position));
    return pixmaps;
}

QIcon LineWeightList::sampleIcon(double width, Qt::PenStyle style)
{
    return QIcon(new SampleIconEngine(width, style));
}

} // namespace KvCc
