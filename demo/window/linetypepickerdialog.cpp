#include "linetypepickerdialog.h"

#include "linetypestyle.h"

#include "swatchpainters.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace Demo {

LinetypePickerDialog::LinetypePickerDialog(const QVector<QPair<QString, QString>>& linetypes, const QString& current,
                                           QWidget* parent)
    : QDialog(parent), m_table(new QTableWidget(linetypes.size(), 3, this))
{
    setWindowTitle(QStringLiteral("Select Linetype"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    resize(470, 325);
    m_table->setHorizontalHeaderLabels({QStringLiteral("LineType"), QStringLiteral("Appearance"), QStringLiteral("Description")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(22);
    m_table->setIconSize(QSize(48, 16));
    for (int row = 0; row < linetypes.size(); ++row) {
        m_table->setItem(row, 0, new QTableWidgetItem(linetypes.at(row).first));
        m_table->setItem(row, 1, new QTableWidgetItem(QIcon(drawLineType(linetypePenStyle(linetypes.at(row).first))), QString()));
        m_table->setItem(row, 2, new QTableWidgetItem(linetypes.at(row).second));
        if (linetypes.at(row).first.compare(current, Qt::CaseInsensitive) == 0)
            m_table->selectRow(row);
    }
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Loaded linetypes"), this));
    layout->addWidget(m_table);
    layout->addWidget(buttons);
}

LinetypePickerDialog::~LinetypePickerDialog() = default;

QString LinetypePickerDialog::linetype() const
{
    const int row = m_table->currentRow();
    return row >= 0 && m_table->item(row, 0) ? m_table->item(row, 0)->text() : QString();
}

} // namespace Demo
