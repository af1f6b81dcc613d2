#include "platform/SdlSound.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <cstdlib>

namespace dv {

namespace {
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
    Mix_HookMusicFinished(nullptr);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_open = false;
}

bool SdlSound::open()
{
    if (m_open)
        return true;
    if (!qEnvironmentVariableIsSet("SDL_SOUNDFONTS")) {
        for (const char *sf : kSoundFonts) {
            if (QFileInfo::exists(QString::fromLatin1(sf))) {
                qputenv("SDL_SOUNDFONTS", sf);
                break;
            }
        }
    }
    auto tryOpen = [this]() -> bool {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            m_error = QString::fromUtf8(SDL_GetError());
            return false;
        }
        if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
            m_error = QString::fromUtf8(Mix_GetError());
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
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
    Mix_Init(MIX_INIT_MID);
    m_driver = QString::fromUtf8(SDL_GetCurrentAudioDriver());
    Mix_HookMusicFinished(&SdlSound::musicFinishedHook);
    m_open = true;
    return true;
}

void SdlSound::musicFinishedHook()
{
    // SDL's audio thread, or inside Mix_HaltMusic: never touch the mixer here.
    SdlSound *player = g_player.load();
    const quint64 play = g_play.load();
    if (player)
        QMetaObject::invokeMethod(player, [player, play] { player->onFinished(play); }, Qt::QueuedConnection);
}

void SdlSound::onFinished(quint64 play)
{
    if (play != m_play || !m_music)
        return; // the end of a play that was stopped or replaced
    Mix_FreeMusic(m_music);
    m_music = nullptr;
    close();
    if (finished)
        finished();
}

bool SdlSound::play(const QString &file, const QString &deviceType)
{
    stop();
    m_error.clear();
    QFile f(file);
    if (QFileInfo(file).isDir() || !f.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot open ") + file;
        return false;
    }
    SoundKind kind = sniffSound(f.read(12));
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
    SDL_RWops *rw = SDL_RWFromFile(QFile::encodeName(file).constData(), "rb");
    if (!rw) {
        m_error = QString::fromUtf8(SDL_GetError());
        close();
        return false;
    }
    Mix_Music *music = Mix_LoadMUSType_RW(rw, kind == SoundKind::Wave ? MUS_WAV : MUS_MID, 1);
    if (!music) {
        m_error = QString::fromUtf8(Mix_GetError());
        close();
        return false;
    }
    m_play = ++g_play;
    m_music = music;
    if (Mix_PlayMusic(music, 1) != 0) {
        m_error = QString::fromUtf8(Mix_GetError());
        Mix_FreeMusic(music);
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
    Mix_HaltMusic();
    Mix_FreeMusic(m_music);
    m_music = nullptr;
    close();
}

} // namespace dv
