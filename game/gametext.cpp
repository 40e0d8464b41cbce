#include "gametext.h"

#include <QLocale>

#include <limits>

namespace {
constexpr qint32 PointsPerHit = 10;
}

QString VersionString(int major, int minor, int revision)
{
    const QString m = QString::number(minor);
    const QString r = QString::number(revision);
    const QString minorField = m.size() <= 2 ? m.rightJustified(2, QLatin1Char('0')) : QString();
    const QString revisionField = r.size() <= 4 ? r.rightJustified(4, QLatin1Char('0')) : r;
    return QStringLiteral("v%1.%2.%3").arg(major).arg(minorField, revisionField);
}

QString VersionString()
{
    return VersionString(ZUBBO_VERSION_MAJOR, ZUBBO_VERSION_MINOR, ZUBBO_VERSION_PATCH);
}

qint32 addHitPoints(qint32 score)
{
    constexpr qint32 Highest = std::numeric_limits<qint32>::max();
    return score <= Highest - PointsPerHit ? score + PointsPerHit : Highest;
}

QString scoreText(qint32 score)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale.toString(score);
}

int timeValue(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

QString countdownText(int seconds)
{
    return seconds >= 0 ? QStringLiteral(" %1").arg(seconds) : QString::number(seconds);
}
