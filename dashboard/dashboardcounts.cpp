#include "dashboardcounts.h"

#include <QStringList>

QList<DashboardCounts::Position> DashboardCounts::read(const QString &counts, int positions, const QString &prefix,
                                                   const QString &unit)
{
    const QStringList parts = counts.split(QLatin1Char('-'), Qt::KeepEmptyParts);
    QList<Position> result;
    result.reserve(positions);
    for (int i = 0; i < positions; ++i) {
        Position position;
        if (i < parts.size()) {
            bool whole = false;
            const int count = parts.at(i).toInt(&whole, 10);
            position.text = prefix + parts.at(i) + unit;
            position.hideButton = !whole || count == 0;
        } else {
            position.text = prefix + unit;
        }
        result.append(position);
    }
    return result;
}
