#include "cueplayer.h"

#include "cueoutput.h"

#include <QCoreApplication>
#include <QPluginLoader>

void CuePlayer::preload(const QStringList &paths)
{
    for (const QString &path : paths)
        samples(path);
    if (CueOutput *out = output())
        out->open();
}

void CuePlayer::play(const QString &path, float gain)
{
    const QList<qint16> &cue = samples(path);
    if (cue.isEmpty())
        return;
    if (CueOutput *out = output())
        out->play(path, cue, gain);
}

// A missing file is remembered as no samples, so it is not looked for on every beat.
const QList<qint16> &CuePlayer::samples(const QString &path)
{
    auto found = m_samples.find(path);
    if (found == m_samples.end()) {
        CueOutput *out = output();
        found = m_samples.insert(path, out ? out->read(path) : QList<qint16>());
    }
    return found.value();
}

// Without the output module nothing plays, as without a sound device.
CueOutput *CuePlayer::output()
{
    if (!m_outputLoaded) {
        m_outputLoaded = true;
        QPluginLoader module(QCoreApplication::applicationDirPath() + QLatin1Char('/')
                             + QLatin1String(CueOutputModule));
        QObject *instance = module.instance();
        m_output = qobject_cast<CueOutput *>(instance);
        // Owned here, so that it is deleted on this thread together with its timers.
        if (m_output)
            instance->setParent(this);
    }
    return m_output;
}
