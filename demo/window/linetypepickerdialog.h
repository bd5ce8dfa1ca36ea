#pragma once

#include <QDialog>
#include <QPair>
#include <QVector>

class QTableWidget;

namespace Demo {

// "Select Linetype" for a layer, laid out as the library's linetype dialog,
// listing the linetypes of the drawing's own table, each with its sample.
class LinetypePickerDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(LinetypePickerDialog)

public:
    // linetypes: name and description, in table order.
    LinetypePickerDialog(const QVector<QPair<QString, QString>>& linetypes, const QString& current,
                         QWidget* parent = nullptr);
    ~LinetypePickerDialog() override;

    QString linetype() const;
    QTableWidget* table() const { return m_table; }

private:
    QTableWidget* m_table;
};

} // namespace Demo
