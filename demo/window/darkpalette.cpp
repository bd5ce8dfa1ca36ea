#include "darkpalette.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>

namespace Demo {
namespace {

// Fusion draws the dock's float and close buttons from dark pictures that
// vanish on a dark title bar: draw them in the palette's text color.
class LightTitleButtons : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override
    {
        const QIcon plain = QProxyStyle::standardIcon(icon, option, widget);
        if (icon != SP_TitleBarNormalButton && icon != SP_TitleBarCloseButton && icon != SP_DockWidgetCloseButton)
            return plain;
        QIcon light;
        const QList<QSize> sizes = plain.availableSizes().isEmpty() ? QList<QSize>{QSize(16, 16)} : plain.availableSizes();
        for (const QSize& size : sizes) {
            QPixmap glyph = plain.pixmap(size);
            QPainter p(&glyph);
            p.setCompositionMode(QPainter::CompositionMode_SourceIn);
            p.fillRect(glyph.rect(), QApplication::palette().color(QPalette::WindowText));
            p.end();
            light.addPixmap(glyph);
        }
        return light;
    }
};

} // namespace

void useDarkPalette(QApplication& app)
{
    app.setStyle(new LightTitleButtons(QStyleFactory::create(QStringLiteral("Fusion"))));
    const QColor window(53, 53, 53);
    const QColor base(35, 35, 35);
    const QColor text(230, 230, 230);
    const QColor dimmed(140, 140, 140);
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::red);
    palette.setColor(QPalette::Link, QColor(42, 130, 218));
    palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    palette.setColor(QPalette::PlaceholderText, dimmed);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, dimmed);
    app.setPalette(palette);
}

} // namespace Demo
