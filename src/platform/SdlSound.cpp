#include "platform/SdlSound.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <cstdlib>
#include <dlfcn.h>
#include <malloc.h>

namespace dv {

namespace {
// SDL and its mixer, with the MIDI synthesiser and the many sound libraries
// they bring, are loaded at the first play and not at start-up: a clock makes
// a sound a few times a day, and starts and idles lighter without them.
// clang-format off
#define DV_SDL_FUNCTIONS(X) \
    X(SDL_InitSubSystem) X(SDL_QuitSubSystem) X(SDL_GetError) X(SDL_GetCurrentAudioDriver) X(SDL_RWFromFile) \
    X(Mix_OpenAudio) X(Mix_CloseAudio) X(Mix_Init) X(Mix_Quit) X(Mix_HookMusicFinished) X(Mix_LoadMUSType_RW) \
    X(Mix_MusicDuration) X(Mix_FreeMusic) X(Mix_PlayMusic) X(Mix_HaltMusic)
// clang-format on
struct SdlApi {
#define DV_SDL_POINTER(f) decltype(&::f) f = nullptr;
    DV_SDL_FUNCTIONS(DV_SDL_POINTER)
#undef DV_SDL_POINTER
    bool loaded = false;
    QString error;
};

const SdlApi &sdl()
{
    static const SdlApi api = [] {
        SdlApi a;
        void *lib = dlopen("libSDL2_mixer-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!lib) {
            a.error = QString::fromLocal8Bit(dlerror());
            return a;
        }
        bool all = true;
        // The mixer's handle finds SDL's own functions too: SDL is its dependency.
#define DV_SDL_RESOLVE(f) all = (a.f = reinterpret_cast<decltype(&::f)>(dlsym(lib, #f))) && all;
        DV_SDL_FUNCTIONS(DV_SDL_RESOLVE)
#undef DV_SDL_RESOLVE
        a.loaded = all;
        if (!all)
            a.error = QStringLiteral("SDL2_mixer lacks a function this program uses");
        return a;
    }();
    return api;
}

// The hook takes no argument; one player per process.
std::atomic<SdlSound *> g_player{nullptr};
std::atomic<quint64> g_play{0};

const char *const kSoundFonts[] = {
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
};
} // namespace

SoundKind sniffSound(const QByteArray &head)
{
    if (head.size() >= 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WAVE")
        return SoundKind::Wave;
    if (head.startsWith("MThd"))
        return SoundKind::Midi;
    return SoundKind::Unknown;
}

bool wavHeaderSane(const QByteArray &h)
{
    auto u16 = [&h](qsizetype at) { return quint16(quint8(h[at]) | quint8(h[at + 1]) << 8); };
    auto u32 = [&h, &u16](qsizetype at) { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; };
    qsizetype pos = 12;
    while (pos + 8 <= h.size()) {
        const quint32 len = u32(pos + 4);
        if (h.mid(pos, 4) == "fmt ") {
            if (len < 16 || pos + 24 > h.size())
                return false;
            const quint16 format = u16(pos + 8), channels = u16(pos + 10), align = u16(pos + 20), bits = u16(pos + 22);
            const quint32 rate = u32(pos + 12);
            const bool pcm = format == 1 || format == 3;
            return channels >= 1 && channels <= 8 && rate >= 1000 && rate <= 384000 && align >= 1 && bits >= 4
                   && bits <= 64 && (!pcm || align == channels * ((bits + 7) / 8));
        }
        if (len > quint32(h.size()))
            return false; // the "fmt " chunk comes first in any file we can play
        pos += 8 + qsizetype(len) + (len & 1);
    }
    return false;
}

bool midiHasNotes(const QByteArray &m)
{
    const qsizetype n = m.size();
    auto u8 = [&m](qsizetype at) { return quint8(m[at]); };
    auto u32 = [&](qsizetype at) {
        return quint32(u8(at)) << 24 | quint32(u8(at + 1)) << 16 | quint32(u8(at + 2)) << 8 | u8(at + 3);
    };
    auto varLen = [&](qsizetype &at) {
        quint32 v = 0;
        for (int i = 0; i < 4 && at < n; ++i) {
            const quint8 b = u8(at++);
            v = v << 7 | (b & 0x7f);
            if (!(b & 0x80))
                break;
        }
        return v;
    };
    if (n < 14 || !m.startsWith("MThd"))
        return false;
    qsizetype pos = 8 + qsizetype(u32(4));
    while (pos + 8 <= n) {
        const qsizetype end = std::min(n, pos + 8 + qsizetype(u32(pos + 4)));
        const bool track = m.mid(pos, 4) == "MTrk";
        qsizetype at = pos + 8;
        quint8 status = 0;
        while (track && at < end) {
            varLen(at); // delta time
            if (at >= end)
                break;
            if (u8(at) & 0x80)
                status = u8(at++);
            if (status == 0xFF) { // meta event
                ++at;
                at += varLen(at);
            } else if (status == 0xF0 || status == 0xF7) { // system exclusive
                at += varLen(at);
            } else if (status >= 0x80) {
                const int kind = status >> 4;
                if (kind == 0x9 && at + 1 < end && u8(at + 1) > 0)
                    return true;
                at += (kind == 0xC || kind == 0xD) ? 1 : 2;
            } else {
                return false; // data with no status: not a file we can read
            }
        }
        pos = end;
    }
    return false;
}

SdlSound::SdlSound(QObject *parent)
    : QObject(parent)
    , m_chosenDriver(qgetenv("SDL_AUDIODRIVER"))
    , m_driverChosen(qEnvironmentVariableIsSet("SDL_AUDIODRIVER"))
{
    g_player = this;
}

SdlSound::~SdlSound()
{
    stop();
    g_player = nullptr;
}

void SdlSound::close()
{
    // An open device keeps SDL's mixing thread busy even in silence: a clock
    // that sounds a few times a day holds it only while it plays.
    if (!m_open)
        return;
    sdl().Mix_HookMusicFinished(nullptr);
    sdl().Mix_CloseAudio();
    sdl().Mix_Quit();
    sdl().SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_open = false;
    // The synthesiser and its sound font are gone: give their pages back
    // rather than keep them for a sound due hours from now.
    malloc_trim(0);
}

bool SdlSound::open()
{
    if (m_open)
        return true;
    if (!sdl().loaded) {
        m_error = sdl().error;
        return false;
    }
    if (!qEnvironmentVariableIsSet("SDL_SOUNDFONTS")) {
        for (const char *sf : kSoundFonts) {
            if (QFileInfo::exists(QString::fromLatin1(sf))) {
                qputenv("SDL_SOUNDFONTS", sf);
                break;
            }
        }
    }
    // SDL would otherwise take SIGINT and SIGTERM for itself while audio is open
    // and turn them into a quit event nobody reads: the clock must end on them.
    qputenv("SDL_NO_SIGNAL_HANDLERS", "1");
    auto tryOpen = [this]() -> bool {
        if (sdl().SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            m_error = QString::fromUtf8(sdl().SDL_GetError());
            return false;
        }
        if (sdl().Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
            m_error = QString::fromUtf8(sdl().SDL_GetError());
            sdl().SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        return true;
    };
    // The device the user has (or chose) first, at every play: one outage must
    // not silence the sounds after it.
    if (m_driverChosen)
        qputenv("SDL_AUDIODRIVER", m_chosenDriver);
    else
        qunsetenv("SDL_AUDIODRIVER");
    m_silent = false;
    if (!tryOpen()) {
        // No sound device: play into the silent driver so that every sound still
        // takes its time and ends; the schedule is told that nobody hears it.
        if (m_chosenDriver == "dummy")
            return false;
        qputenv("SDL_AUDIODRIVER", "dummy");
        const bool opened = tryOpen();
        if (m_driverChosen)
            qputenv("SDL_AUDIODRIVER", m_chosenDriver);
        else
            qunsetenv("SDL_AUDIODRIVER");
        if (!opened)
            return false;
        m_silent = true;
    }
    sdl().Mix_Init(MIX_INIT_MID);
    m_driver = QString::fromUtf8(sdl().SDL_GetCurrentAudioDriver());
    sdl().Mix_HookMusicFinished(&SdlSound::musicFinishedHook);
    m_open = true;
    return true;
}

void SdlSound::musicFinishedHook()
{
    // SDL's audio thread, or inside Mix_HaltMusic: never touch the mixer here.
    SdlSound *player = g_player.load();
    const quint64 play = g_play.load();
    if (player)
        QMetaObject::invokeMethod(
            player, [player, play] { player->onFinished(play); }, Qt::QueuedConnection);
}

void SdlSound::onFinished(quint64 play)
{
    if (play != m_play || !m_music)
        return; // the end of a play that was stopped or replaced
    sdl().Mix_FreeMusic(m_music);
    m_music = nullptr;
    close();
    // A MIDI file without notes ends within a few tens of milliseconds.
    m_endedAtOnce = m_started.elapsed() < 250;
    if (finished)
        finished();
}

bool SdlSound::play(const QString &file, const QString &deviceType)
{
    stop();
    m_error.clear();
    m_endedAtOnce = false;
    QFile f(file);
    // A regular file only: a FIFO blocks the open, a device never ends.
    if (!QFileInfo(file).isFile() || !f.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot open ") + file;
        return false;
    }
    const QByteArray head = f.read(4096);
    SoundKind kind = sniffSound(head);
    if (kind == SoundKind::Wave && !wavHeaderSane(head)) {
        m_error = QStringLiteral("unplayable WAV header in ") + file;
        return false;
    }
    // A MIDI file without a note plays two seconds of nothing.
    if (kind == SoundKind::Midi && f.size() <= kMidiCheckLimit && !midiHasNotes(head + f.readAll())) {
        m_error = QStringLiteral("no notes in ") + file;
        return false;
    }
    f.close();
    if (kind == SoundKind::Unknown) {
        if (deviceType == QLatin1String("WaveAudio"))
            kind = SoundKind::Wave;
        else if (deviceType == QLatin1String("Sequencer"))
            kind = SoundKind::Midi;
        else {
            m_error = QStringLiteral("unknown sound file ") + file;
            return false;
        }
    }
    if (!open()) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("no audio output");
        return false;
    }
    SDL_RWops *rw = sdl().SDL_RWFromFile(QFile::encodeName(file).constData(), "rb");
    if (!rw) {
        m_error = QString::fromUtf8(sdl().SDL_GetError());
        close();
        return false;
    }
    Mix_Music *music = sdl().Mix_LoadMUSType_RW(rw, kind == SoundKind::Wave ? MUS_WAV : MUS_MID, 1);
    if (!music) {
        m_error = QString::fromUtf8(sdl().SDL_GetError());
        close();
        return false;
    }
    if (kind == SoundKind::Wave && sdl().Mix_MusicDuration(music) <= 0) {
        m_error = QStringLiteral("no sound in ") + file;
        sdl().Mix_FreeMusic(music);
        close();
        return false;
    }
    m_play = ++g_play;
    m_music = music;
    m_started.start();
    if (sdl().Mix_PlayMusic(music, 1) != 0) {
        m_error = QString::fromUtf8(sdl().SDL_GetError());
        sdl().Mix_FreeMusic(music);
        m_music = nullptr;
        close();
        return false;
    }
    return true;
}

void SdlSound::stop()
{
    if (!m_music)
        return;
    m_play = ++g_play; // whatever end is still on its way is stale now
    sdl().Mix_HaltMusic();
    sdl().Mix_FreeMusic(m_music);
    m_music = nullptr;
    close();
}

} // namespace dv
