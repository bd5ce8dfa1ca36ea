#pragma once

#include "kvcustomcontrol_export.h"

#include <QDialog>
#include <QList>
#include <QPixmap>
#include <QStringList>

#include <memory>

class Ui_LayerLWidthDialog;

namespace KvCc {

/// The small "LineWeight" dialog in which the user picks the lineweight of a
/// layer: "Default" and the 24 lineweights in millimetres, each with a sample,
/// the lineweight before the change and the one now chosen. "OK" reports the
/// chosen row through layerLineWeightChanged().
class KVCUSTOMCONTROL_EXPORT LayerLineWeightDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerLineWeightDialog)

public:
    /// Builds the dialog, hidden; show it with exec().
    explicit LayerLineWeightDialog(QWidget* parent = nullptr);
    ~LayerLineWeightDialog() override;

    /// Makes row current and shows it as the original lineweight; a row
    /// outside the list leaves no row current and the labels as they were.
    void setCurrentLineweight(int row);

signals:
    /// currentRow: 0 "Default", 1 "0.00 mm" ... 24 "2.11 mm".
    void layerLineWeightChanged(int currentRow);

public slots:
    /// The "OK" button: emits layerLineWeightChanged() and accepts the dialog.
    void slotAccepted();
    /// The "Cancel" button: rejects the dialog without reporting.
    void slotCancel();
    /// The "Help" button: says that no help is installed.
    void slotHelp();
    /// Shows row as the newly chosen lineweight.
    void slotCurrentLabelChaged(int row);

protected:
    /// Puts the focus in the list, so that Return answers "OK".
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui_LayerLWidthDialog> ui;
    QStringList mmTexts;
    QList<QPixmap> swatches;
};

} // namespace KvCc
