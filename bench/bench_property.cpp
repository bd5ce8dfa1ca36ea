#include "benchcase.h"

#include <lineweightlist.h>
#include <linewidthcombobox.h>
#include <qkvcolorcombobox.h>
#include <swatchpainters.h>

#include <QComboBox>

#include <memory>

// Building the property selectors and opening the lineweight popup, which
// completes its list on the first opening; the baseline is a plain combo box
// holding the same rows.
KVCC_BENCH_GROUP(property)
{
    const int runs = quick ? 5 : 25;

    auto plainLineweights = [](int rows) {
        auto combo = std::make_unique<QComboBox>();
        const QStringList texts = KvCc::LineWeightList::mmTexts();
        const QList<QPixmap> samples = KvCc::LineWeightList::samples(KvCc::LineWeightList::RowCount);
        for (int i = 0; i < rows; ++i)
            combo->addItem(samples.at(i), texts.at(i));
        return combo;
    };

    {
        BenchResult r{QStringLiteral("lineweight-selector-build"), 9};
        r.oursMs = medianMs(runs, nullptr, [] { KvCc::LineWidthComboBox combo; });
        r.baselineMs = medianMs(runs, nullptr, [&] { plainLineweights(9); });
        out << r;
    }
    {
        BenchResult r{QStringLiteral("lineweight-first-popup"), 27};
        std::unique_ptr<KvCc::LineWidthComboBox> combo;
        r.oursMs = medianMs(
            runs, [&] { combo = std::make_unique<KvCc::LineWidthComboBox>(); combo->show(); },
            [&] {
                combo->showPopup();
                combo->hidePopup();
            });
        std::unique_ptr<QComboBox> plain;
        r.baselineMs = medianMs(
            runs, [&] { plain = plainLineweights(27); plain->show(); },
            [&] {
                plain->showPopup();
                plain->hidePopup();
            });
        out << r;
    }
    {
        BenchResult r{QStringLiteral("color-selector-build"), 9};
        r.oursMs = medianMs(runs, nullptr, [] { KvCc::QKvColorComboBox combo; });
        r.baselineMs = medianMs(runs, nullptr, [] {
            QComboBox combo;
            for (int i = 0; i < 9; ++i)
                combo.addItem(creatColorPix(Qt::red), QStringLiteral("Red"));
        });
        out << r;
    }
}
