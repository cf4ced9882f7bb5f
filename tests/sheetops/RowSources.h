#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// "1-21,0,22-43": the old row each new row of a sheet comes from, in order; 0 is an empty row.
inline QList<int> rowSources(const QString &ranges)
{
    QList<int> rows;
    for (const QString &range : ranges.split(u',')) {
        const QStringList ends = range.split(u'-');
        for (int row = ends.first().toInt(); row <= ends.last().toInt(); ++row)
            rows << row;
    }
    return rows;
}
