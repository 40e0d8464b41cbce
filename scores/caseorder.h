#pragma once

#include <QStringList>

#include <algorithm>

// The order of the name lists the player sees: alphabetical with letter case ignored; texts
// that differ only in case keep the order in which they came.
inline void sortIgnoringCase(QStringList &texts)
{
    std::stable_sort(texts.begin(), texts.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}
