#include "lineweightlist.h"

#include "lineweights.h"
#include "qtcompat_p.h"
#include "swatchpainters_p.h"

#include <QCoreApplication>
#include <QIconEngine>
#include <QPainter>

namespace KvCc {

namespace {

// The rows of the list in one unit: the three special rows, then one row
// per standard lineweight. Inch texts give the hundredths divided by 254 and
// carry the inch mark directly after the value.
const char* const specialRows[] = {
    QT_TRANSLATE_NOOP("KvCc::LineWeightList", "By Layer"),
    QT_TRANSLATE_NOOP("KvCc::LineWeightList", "By Block"),
    QT_TRANSLATE_NOOP("KvCc::LineWeightList", "Default"),
};

QStringList makeTexts(bool isMM)
{
    QStringList texts;
    for (const char* text : specialRows)
        texts << QLatin1String(text);
    texts.reserve(LineWeightList::RowCount);
    for (int value : standardLineWeights()) {
        texts << (isMM ? QString::asprintf("%1.2f mm", value / 100.0)
                       : QString::asprintf("%1.2f\"", value / 254.0));
    }
    Q_ASSERT(texts.size() == LineWeightList::RowCount);
    return texts;
}

// Paints the sample bar of the swatch painters straight into the target, so
// that the painter's own pixel density decides how finely it is drawn.
class SampleIconEngine : public QIconEngine
{
public:
    SampleIconEngine(double width, Qt::PenStyle style, const QColor& color)
        : width(width)
        , style(style)
        , color(color)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / qreal(sampleSize.width()), rect.height() / qreal(sampleSize.height()));
        const QColor pen = mode == QIcon::Disabled ? QColor(Qt::gray) : color;
        painter->setPen(QPen(QBrush(pen, Qt::SolidPattern), width, style, Qt::SquareCap, Qt::BevelJoin));
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

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) KVCC_ICONENGINE_CONST override { return {sampleSize}; }

    QIconEngine* clone() const override { return new SampleIconEngine(width, style, color); }

private:
    const QSize sampleSize{48, 16};
    double width;
    Qt::PenStyle style;
    QColor color;
};

} // namespace

QStringList LineWeightList::mmTexts()
{
    static const QStringList texts = makeTexts(true);
    return texts;
}

QStringList LineWeightList::inchTexts()
{
    static const QStringList texts = makeTexts(false);
    return texts;
}

QStringList LineWeightList::texts(bool isMM)
{
    return isMM ? mmTexts() : inchTexts();
}

QString LineWeightList::displayText(const QString& text)
{
    for (const char* special : specialRows) {
        if (text == QLatin1String(special))
            return QCoreApplication::translate("KvCc::LineWeightList", special);
    }
    return text;
}

double LineWeightList::sampleWidth(int position)
{
    if (position <= 10)
        return 1.0;
    if (position <= 13)
        return 2.0;
    return (position - 11) + 0.5;
}

QList<QPixmap> LineWeightList::samples(int count, const QColor& color)
{
    QList<QPixmap> pixmaps;
    pixmaps.reserve(count);
    for (int position = 0; position < count; ++position)
        pixmaps << lineWeightSample(sampleWidth(position), color);
    return pixmaps;
}

QIcon LineWeightList::sampleIcon(double width, Qt::PenStyle style, const QColor& color)
{
    return QIcon(new SampleIconEngine(width, style, color));
}

} // namespace KvCc
