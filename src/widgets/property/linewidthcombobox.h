#pragma once

#include "basecombobox.h"
#include "kvcustomcontrol_export.h"

#include <QList>
#include <QPixmap>
#include <QStringList>

#include <memory>

namespace KvCc {

class KvLineWeightDialog;

/// The lineweight selector of the property page: the 27 rows of the
/// lineweight list with a sample bar each. Only the first nine rows are made
/// at construction, the rest the first time the popup opens. The button under
/// the list, "Lineweight settings...", runs this selector's own lineweight
/// settings dialog; after "Ok" the selector shows the row chosen there and
/// labels its rows in the unit chosen there. The choice is shown on the face
/// and read with currentRow().
class KVCUSTOMCONTROL_EXPORT LineWidthComboBox : public BaseComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY(LineWidthComboBox)

public:
    /// Builds the first nine rows, "By Layer" current.
    explicit LineWidthComboBox(QWidget* parent = nullptr);
    ~LineWidthComboBox() override;

public slots:
    /// Runs the lineweight settings dialog.
    void openDialog() override;
    /// Completes the list; does nothing once all rows are there.
    void slotAddMoreItem();
    /// Takes the unit (true for millimetres) and the row the dialog reports.
    void slotSettingsChanged(bool isMillimeter, int row);

private:
    QStringList mmTexts;
    QStringList inchTexts;
    QList<QPixmap> swatches;
    std::unique_ptr<KvLineWeightDialog> settingsDialog;
    bool isMM = true;
    int chosenRow = 0;
    bool moreRowsAdded = false;
};

} // namespace KvCc
