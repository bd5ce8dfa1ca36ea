#pragma once

#include "kvcustomcontrol_export.h"

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QStringList>

namespace KvCc {

/// The fixed list of lineweights that the lineweight selector and the
/// lineweight dialogs show: "By Layer", "By Block", "Default", then the 24
/// lineweights from 0.00 mm to 2.11 mm. Its texts are fixed literals in both
/// units; the drawing's unit setting is not consulted.
class KVCUSTOMCONTROL_EXPORT LineWeightList
{
public:
    /// Rows of the list with a meaning of their own.
    enum Row {
        ByLayerRow = 0,
        ByBlockRow = 1,
        DefaultRow = 2,
        FirstValueRow = 3, ///< the first row that stands for a lineweight value
        RowCount = 27
    };

    /// "By Layer", "By Block", "Default", "0.00 mm" ... "2.11 mm".
    static QStringList mmTexts();
    /// The same rows in inches: "0.00\"" ... "0.83\""; the first three as in mmTexts().
    static QStringList inchTexts();
    /// mmTexts() when isMM is true, else inchTexts().
    static QStringList texts(bool isMM);
    /// A row text as the user reads it: "By Layer", "By Block" and "Default"
    /// in the installed translation, every other text as it is.
    static QString displayText(const QString& text);

    /// Pen width of the sample bar at a position of a list: 1.0 for positions
    /// 0 to 10, 2.0 for 11 to 13, and (position - 11) + 0.5 from 14 on. The
    /// rule goes by the position in the list that shows the sample, so a list
    /// that leaves out rows draws thinner samples for the same lineweight.
    static double sampleWidth(int position);
    /// drawLineWeight() at the width of each position 0 .. count - 1, drawn
    /// in color (a widget passes its palette's text color).
    static QList<QPixmap> samples(int count, const QColor& color = QColor(Qt::black));
    /// An icon of the sample bar for item views and combo boxes. At its 48 x 16
    /// size it is drawLineWeight(width) (with a style other than a solid line,
    /// drawLineType's dashes), but it draws the bar afresh at whatever pixel
    /// density it is shown, so the bar stays sharp and keeps its proportions
    /// on 1.5x or 2x screens instead of being an enlarged 48 x 16 picture.
    static QIcon sampleIcon(double width, Qt::PenStyle style = Qt::SolidLine,
                            const QColor& color = QColor(Qt::black));
};

} // namespace KvCc
