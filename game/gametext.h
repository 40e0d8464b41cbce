#pragma once

#include <QString>

// The texts the main window shows: the version label, the score and the remaining time.

// "v" major "." two-digit minor "." four-digit revision, e.g. "v1.00.0010". A minor of
// three or more digits has no field and leaves it empty.
QString VersionString(int major, int minor, int revision);
// The program's own version, from the build.
QString VersionString();

// The score after a hit: 10 more, held at the largest value rather than wrapping around.
qint32 addHitPoints(qint32 score);

// The score with the user's thousands separators and no decimals ("#,##0"); a C or POSIX
// locale, which groups nothing by default, gets ",".
QString scoreText(qint32 score);

// The number a time text stands for: leading blanks allowed, anything unreadable is 0.
int timeValue(const QString &text);
// What the countdown writes for a remaining time: one leading blank (" 59" ... " 0").
QString countdownText(int seconds);
