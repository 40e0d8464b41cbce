#include "cuestream.h"

#include <pulse/pulseaudio.h>

#include <algorithm>

namespace {
// The stream's buffer: what a new cue may have to wait behind while another sounds.
constexpr int BufferMs = 20;
// The mixer's block, taken once: as much as the server asks for at a time of a buffer this
// long. A server that gives the stream a longer buffer and asks for more gets it in blocks.
constexpr size_t BlockSamples = size_t(BufferMs) * CueStream::SampleRate / 1000;
// A connection or a stream not ready after this long is given up: the server hangs.
constexpr qint64 SetUpTimeoutMs = 2000;
// Without a server, a new connection is tried at most this often, not on every cue: the
// attempts would otherwise cost more than the cues, and the cues would pile up behind them.
constexpr qint64 RetryMs = 250;
constexpr char ClientName[] = "Zubbo!";
constexpr char StreamName[] = "Cues";
// Lets the desktop's mixers show the game by its name and icon, and sound policies treat
// its stream as a game's.
constexpr char MediaRole[] = "game";

constexpr pa_sample_spec CueFormat{PA_SAMPLE_S16NE, CueStream::SampleRate, 1};

bool isGone(pa_context_state_t state)
{
    return state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED;
}

bool isGone(pa_stream_state_t state)
{
    return state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED;
}

// The game's name, id, icon and version, and the media role; for the client and its stream.
pa_proplist *gameProperties()
{
    pa_proplist *properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, ClientName);
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, ZUBBO_APP_ID);
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, ZUBBO_APP_ID);
    pa_proplist_sets(properties, PA_PROP_APPLICATION_VERSION, ZUBBO_VERSION);
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, MediaRole);
    return properties;
}

// Holds the connection's thread off while the caller changes what that thread uses.
class LoopLock
{
public:
    explicit LoopLock(pa_threaded_mainloop *loop) : m_loop(loop)
    {
        pa_threaded_mainloop_lock(loop);
    }
    ~LoopLock() { pa_threaded_mainloop_unlock(m_loop); }
    LoopLock(const LoopLock &) = delete;
    LoopLock &operator=(const LoopLock &) = delete;

private:
    pa_threaded_mainloop *m_loop;
};
} // namespace

CueStream::CueStream() : m_loop(pa_threaded_mainloop_new()), m_block(BlockSamples)
{
    if (m_loop && pa_threaded_mainloop_start(m_loop) < 0) {
        pa_threaded_mainloop_free(m_loop);
        m_loop = nullptr;
    }
}

CueStream::~CueStream()
{
    if (!m_loop)
        return;
    {
        LoopLock lock(m_loop);
        dropConnection();
    }
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
}

void CueStream::open()
{
    if (!m_loop)
        return;
    LoopLock lock(m_loop);
    m_wanted = true;
    prepare();
}

void CueStream::play(const QString &cue, const QList<qint16> &samples, float gain)
{
    if (!m_loop)
        return;
    LoopLock lock(m_loop);
    m_wanted = true;
    if (!prepare())
        return;
    m_mixer.start(cue, samples, gain);
    if (m_stream && pa_stream_get_state(m_stream) == PA_STREAM_READY)
        fill(pa_stream_writable_size(m_stream));
}

void CueStream::silence()
{
    if (!m_loop)
        return;
    LoopLock lock(m_loop);
    m_mixer.stopAll();
}

bool CueStream::closeIfSilent()
{
    if (!m_loop)
        return true;
    LoopLock lock(m_loop);
    if (!m_mixer.isSilent())
        return false;
    m_wanted = false;
    dropStream();
    return true;
}

// Drops what failed or hangs and begins what is missing. False while there is no
// connection, not even one being made: a cue now would never sound.
bool CueStream::prepare()
{
    const bool settingUpTooLong = m_settingUp.isValid() && m_settingUp.hasExpired(SetUpTimeoutMs);
    if (m_stream) {
        const pa_stream_state_t state = pa_stream_get_state(m_stream);
        if (isGone(state) || (state != PA_STREAM_READY && settingUpTooLong))
            dropStream();
    }
    if (m_context) {
        const pa_context_state_t state = pa_context_get_state(m_context);
        if (isGone(state) || (state != PA_CONTEXT_READY && settingUpTooLong))
            dropConnection();
    }
    if (!m_context) {
        if (m_lastAttempt.isValid() && !m_lastAttempt.hasExpired(RetryMs))
            return false;
        connectToServer();
    } else if (!m_stream && pa_context_get_state(m_context) == PA_CONTEXT_READY)
        openStream();
    return m_context && !isGone(pa_context_get_state(m_context));
}

void CueStream::connectToServer()
{
    pa_proplist *properties = gameProperties();
    m_context = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(m_loop), ClientName,
                                             properties);
    pa_proplist_free(properties);
    if (!m_context)
        return;
    pa_context_set_state_callback(m_context, &CueStream::contextChanged, this);
    m_settingUp.start();
    m_lastAttempt.start();
    // A game starts no sound server of its own; a desktop's server is there or comes.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        dropConnection();
}

void CueStream::openStream()
{
    pa_proplist *properties = gameProperties();
    m_stream = pa_stream_new_with_proplist(m_context, StreamName, &CueFormat, nullptr, properties);
    pa_proplist_free(properties);
    if (!m_stream)
        return;
    pa_stream_set_write_callback(m_stream, &CueStream::streamWritable, this);
    const auto unset = uint32_t(-1); // the server's choice
    const pa_buffer_attr buffer{unset,
                                uint32_t(pa_usec_to_bytes(BufferMs * PA_USEC_PER_MSEC, &CueFormat)),
                                unset, unset, unset};
    m_settingUp.start();
    if (pa_stream_connect_playback(m_stream, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr,
                                   nullptr)
        < 0)
        dropStream();
}

void CueStream::dropStream()
{
    if (!m_stream)
        return;
    pa_stream_set_write_callback(m_stream, nullptr, nullptr);
    pa_stream_disconnect(m_stream);
    pa_stream_unref(m_stream);
    m_stream = nullptr;
}

// The cues still sounding go with the connection: played on the next one, they would come
// late.
void CueStream::dropConnection()
{
    dropStream();
    m_mixer.stopAll();
    if (!m_context)
        return;
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
}

// Writes the next samples of the cues that sound. Once the last has ended nothing more is
// written and the stream runs dry; the next cue then fills the whole buffer at once and
// sounds at once. It runs in the server's callback, so it mixes into the block it was given
// at the start, piece by piece, and allocates nothing.
void CueStream::fill(size_t bytes)
{
    if (m_mixer.isSilent())
        return;
    for (size_t count = bytes / sizeof(qint16); count > 0;) {
        const size_t piece = std::min(count, m_block.size());
        m_mixer.mix(m_block.data(), qsizetype(piece));
        if (pa_stream_write(m_stream, m_block.data(), piece * sizeof(qint16), nullptr, 0,
                            PA_SEEK_RELATIVE)
            < 0)
            return;
        count -= piece;
    }
}

// On the connection's thread. A lost connection takes its cues along at once; the next
// cue drops the connection itself and begins another.
void CueStream::contextChanged(pa_context *context, void *self)
{
    auto *stream = static_cast<CueStream *>(self);
    const pa_context_state_t state = pa_context_get_state(context);
    if (isGone(state))
        stream->m_mixer.stopAll();
    else if (state == PA_CONTEXT_READY && stream->m_wanted && !stream->m_stream)
        stream->openStream();
}

void CueStream::streamWritable(pa_stream *, size_t bytes, void *self)
{
    static_cast<CueStream *>(self)->fill(bytes);
}
