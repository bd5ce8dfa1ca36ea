#include "benchcase.h"

#include <kvlineweightdialog.h>
#include <lineweightlist.h>
#include <swatchpainters.h>

#include <QListWidget>
#include <QPainter>

#include <memory>

// Dialog construction and sample painting. The baselines are what the same
// work costs with plain pixmap icons, which an owner could build instead.
KVCC_BENCH_GROUP(dialogs)
{
    const int runs = quick ? 5 : 21;

    {
        std::unique_ptr<KvCc::KvLineWeightDialog> dialog;
        const double ours = medianMs(runs, [&] { dialog.reset(); },
                                     [&] { dialog = std::make_unique<KvCc::KvLineWeightDialog>(); });
        std::unique_ptr<QListWidget> list;
        const double baseline = medianMs(runs, [&] { list.reset(); }, [&] {
            list = std::make_unique<QListWidget>();
            const QStringList texts = KvCc::LineWeightList::mmTexts();
            for (int row = 0; row < texts.size(); ++row)
                list->addItem(new QListWidgetItem(QIcon(drawLineWeight(KvCc::LineWeightList::sampleWidth(row))), texts.at(row)));
        });
        out << BenchResult{QStringLiteral("lineweight_dialog_construct"), 27, ours, baseline};
    }

    // Painting every sample of the list once on a double-density target.
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap target(qRound(48 * ratio), qRound(16 * ratio) * 27);
        target.setDevicePixelRatio(ratio);
        QList<QIcon> drawn;
        QList<QIcon> pixmaps;
        for (int row = 0; row < 27; ++row) {
            const double width = KvCc::LineWeightList::sampleWidth(row);
            drawn << KvCc::LineWeightList::sampleIcon(width);
            pixmaps << QIcon(drawLineWeight(width));
        }
        const auto paintAll = [&](const QList<QIcon>& icons) {
            QPainter painter(&target);
            for (int repeat = 0; repeat < 20; ++repeat) {
                for (int row = 0; row < icons.size(); ++row)
                    icons.at(row).paint(&painter, QRect(0, row * 16, 48, 16));
            }
        };
        const double ours = medianMs(runs, nullptr, [&] { paintAll(drawn); });
        const double baseline = medianMs(runs, nullptr, [&] { paintAll(pixmaps); });
        out << BenchResult{QStringLiteral("sample_icons_paint_x20_at_%1x").arg(ratio), 27, ours, baseline};
    }
}
