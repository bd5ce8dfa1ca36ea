#pragma once

#include "kvcustomcontrol_export.h"

#include <QDialog>
#include <QList>
#include <QPixmap>
#include <QStringList>

#include <memory>

class Ui_LineWeightDialog;

namespace KvCc {

/// The "Lineweight Settings" dialog: the whole lineweight list with a sample
/// bar per row, labelled in millimetres or inches. "Ok" reports the unit and
/// the chosen row through lineWeightChanged(). Its owner creates it once and
/// reuses it, so the unit and the row stay as the user left them.
class KVCUSTOMCONTROL_EXPORT KvLineWeightDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(KvLineWeightDialog)

public:
    /// Builds the dialog, hidden; show it with exec().
    explicit KvLineWeightDialog(QWidget* parent = nullptr);
    ~KvLineWeightDialog() override;

    /// Makes row the list's current row and names it as the current lineweight;
    /// a row outside the list leaves no row current.
    void setCurrentLineweight(int row);

signals:
    /// isInitMM: the list is labelled in millimetres; currentRow: 0 "By Layer" ... 26 "2.11 mm".
    void lineWeightChanged(bool isInitMM, int currentRow);

public slots:
    /// Labels the list in millimetres when checked is true.
    void millimeterConvert(bool checked);
    /// Labels the list in inches when checked is true.
    void InConvert(bool checked);
    /// The "Ok" button: emits lineWeightChanged() and closes the dialog;
    /// does nothing while no row is current.
    void slotAccepted();
    /// The "Cancel" button: closes the dialog without reporting.
    void slotCancel();
    /// The "Help" button: says that no help is installed.
    void slotHelp();
    /// Names row as the chosen lineweight and enables "Ok" while a row is current.
    void slotCurrentLabelChaged(int row);

protected:
    /// Puts the focus in the list, so that Return answers "Ok".
    void showEvent(QShowEvent* event) override;

private:
    void fillLists();
    void fitListWidth();
    void relabel(const QStringList& texts);
    void updateFramePixmaps();

    std::unique_ptr<Ui_LineWeightDialog> ui;
    QStringList mmTexts;
    QStringList inchTexts;
    QList<QPixmap> swatches;
    qreal framePixmapRatio = 0.0;
};

} // namespace KvCc
