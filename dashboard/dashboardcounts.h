#ifndef DASHBOARDCOUNTS_H
#define DASHBOARDCOUNTS_H

#include <QList>
#include <QString>

// Reads one module's counts text, the counts joined by "-" in the module's
// order of positions, into what the dashboard shows at each position.
class DashboardCounts
{
public:
    struct Position {
        QString text;            // the count label's text: prefix, the part as received, unit
        bool hideButton = false; // the part is 0 or no 32-bit whole number
    };

    // Splits at every "-", keeping empty parts; surplus parts are ignored. A
    // position without a part shows an empty count and keeps its view button.
    static QList<Position> read(const QString &counts, int positions, const QString &prefix, const QString &unit);
};

#endif // DASHBOARDCOUNTS_H
