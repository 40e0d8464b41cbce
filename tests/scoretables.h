#pragma once

#include "zubmod.h"

#include <QString>
#include <QStringList>

// The score tables as the tests read them back.

// Slots first to last as "name=score", whatever the count says, so a failed comparison
// shows which entry differs.
inline QStringList slotTexts(const TopTable &table, int first, int last)
{
    QStringList entries;
    for (int i = first; i <= last; ++i)
        entries.append(table.names[i] + u'=' + QString::number(table.scores[i]));
    return entries;
}

// The table's entries, slots 1 to its count, as "name=score".
inline QStringList describe(const TopTable &table)
{
    return slotTexts(table, 1, table.count);
}
