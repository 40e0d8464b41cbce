#include "cueplayer.h"

#include "cueoutput.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>
#include <QThread>

#include <mutex>
#include <utility>

namespace {
// Qt makes a plugin's object without a lock of its own: two players' threads loading the
// module at once would each make one.
std::mutex moduleLoading;
} // namespace

CuePlayer::CuePlayer(QString moduleFolder) : m_moduleFolder(std::move(moduleFolder)) {}

CuePlayer::~CuePlayer() = default;

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
    if (cue.isEmpty() || m_muted)
        return;
    if (CueOutput *out = output())
        out->play(path, cue, gain);
}

void CuePlayer::setMuted(bool muted)
{
    m_muted = muted;
    if (muted && m_output)
        m_output->silence();
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

// Without the output module nothing plays, as without a sound device; the player is told
// once, since a game without a sound is otherwise hard to tell from a quiet one.
CueOutput *CuePlayer::output()
{
    if (!m_outputLoaded) {
        m_outputLoaded = true;
        const std::lock_guard lock(moduleLoading);
        QPluginLoader module(QDir(m_moduleFolder).filePath(QLatin1String(CueOutputModule)));
        QObject *instance = module.instance();
        if (auto *factory = qobject_cast<CueOutputFactory *>(instance)) {
            // The module's object outlives this thread: it goes to the application's, where
            // Qt deletes it when it unloads the module at exit.
            const QCoreApplication *app = QCoreApplication::instance();
            if (app && instance->thread() == QThread::currentThread())
                instance->moveToThread(app->thread());
            m_output = factory->makeOutput();
        } else {
            qWarning("Zubbo!: no sound output module in %s (%s); the game will be silent.",
                     qUtf8Printable(QDir::toNativeSeparators(m_moduleFolder)),
                     qUtf8Printable(module.errorString()));
        }
    }
    return m_output.get();
}
