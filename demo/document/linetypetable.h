#pragma once

#include <QPair>
#include <QString>
#include <QVector>

class DkDbDatabase;

namespace Demo {

// A linetype as the drawing's table lists it: name and description.
using Linetype = QPair<QString, QString>;

// The linetype table of a drawing in the host database.
class LinetypeTable
{
public:
    explicit LinetypeTable(DkDbDatabase* db) : m_db(db) {}

    // The linetypes a layer may take, in table order (not "by layer" nor "by block").
    QVector<Linetype> layerLinetypes() const;
    // Adds those of linetypes the table does not hold yet.
    void add(const QVector<Linetype>& linetypes);

private:
    DkDbDatabase* m_db;
};

} // namespace Demo
