// SPDX-License-Identifier: GPL-3.0-or-later
// The clock's sound player: plays one WAV or MIDI file through SDL2_mixer and
// tells the clock how it went, one line each on standard output:
//   started MILLISECONDS DRIVER silent|heard   the first sample is mixed; the
//                                              sound should last this long
//   ended MILLISECONDS                         the sound has played to its end,
//                                              this long from its first sample
//   error TEXT                                 it cannot be played
// The clock starts one for each sound and kills it to stop the sound, so the
// sound libraries and their decoders never live in the clock itself.
//   dialvane-sound CLOCK_PID DEVICE_TYPE FILE [VOLUME FADE_MS FADE_DONE_MS]
// VOLUME is in percent (100 without it); the sound rises in a straight line
// from silence to it over FADE_MS, of which FADE_DONE_MS already lie behind
// (an alarm's repeat goes on up the rise where the last play left it).

#include "player/SoundFile.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <semaphore>
#include <string>
#include <string_view>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void report(const std::string &line)
{
    // A report is one short line: the clock ends a player that says more.
    const std::string out = line.substr(0, 96) + '\n';
    // One write: the clock reads whole lines, and a pipe keeps short writes whole.
    (void)!write(STDOUT_FILENO, out.data(), out.size());
}

[[noreturn]] void fail(const std::string &why)
{
    report("error " + why);
    std::_Exit(1);
}

// Far beyond any alarm, and what the mixer can be handed from memory.
constexpr off_t kLargestSound = off_t(1) << 30;
// No sound holds its player, and the time signal the clock waits on, longer
// than this: a longer one is played this far (and announced so); one that
// claims more than a day is no alarm sound, it is refused.
constexpr long long kLongestPlayMs = 5LL * 60 * 1000;
constexpr double kLongestClaimSeconds = 24 * 3600;
// A synthesiser works through every event and tempo change however short:
// 100,000 notes or 200,000 tempo changes kept it busy for minutes. A song of
// an hour has some tens of thousands of events and a few hundred changes.
constexpr std::uint64_t kMostMidiEvents = 100'000;
constexpr std::uint64_t kMostTempoChanges = 10'000;

const char *const kSoundFonts[] = {
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
};

// SDL's hooks take no argument; this process plays exactly one sound.
std::string g_startedLine;
std::atomic<bool> g_armed{false};
std::atomic<bool> g_reported{false};
std::binary_semaphore g_ended{0};
// When the first sample was mixed, as the player itself saw it: the clock may
// read "started" and "ended" together, and counts on this for the length played.
std::atomic<long long> g_firstSampleMs{-1};

long long nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void reportStarted()
{
    if (!g_reported.exchange(true)) {
        g_firstSampleMs = nowMs();
        report(g_startedLine);
    }
}

// The rise, in sample frames of the opened device; set before the play begins.
long long g_fadeFrames = 0;
long long g_fadeDone = 0; // frames of it behind the sound: where the next one starts
int g_channels = 2;
bool g_ramp = false;

// On SDL's audio thread, after each chunk is mixed. The rise is laid over the
// mixed samples here, rather than left to Mix_FadeInMusic: that one always
// starts from silence, so a sound repeated for an alarm's ring would fall
// silent and rise again at every repeat, where this one begins part way up.
// It is exact to the sample, too, not in steps of a chunk.
void afterMix(void *, Uint8 *stream, int len)
{
    if (!g_armed.load() || !Mix_PlayingMusic())
        return;
    reportStarted();
    if (!g_ramp || g_fadeDone >= g_fadeFrames)
        return;
    auto *samples = reinterpret_cast<Sint16 *>(stream);
    const long long frames = len / int(sizeof(Sint16)) / g_channels;
    for (long long f = 0; f < frames && g_fadeDone < g_fadeFrames; ++f, ++g_fadeDone) {
        const double gain = double(g_fadeDone) / double(g_fadeFrames);
        for (int c = 0; c < g_channels; ++c) {
            Sint16 &v = samples[f * g_channels + c];
            v = Sint16(std::lround(v * gain));
        }
    }
}

// A whole number in [0, most], and nothing else.
std::optional<long> argNumber(const char *text, long most)
{
    char *end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || v < 0 || v > most)
        return std::nullopt;
    return v;
}

// On SDL's audio thread: never call the mixer from here.
void musicFinished()
{
    reportStarted(); // a sound shorter than one chunk
    g_ended.release();
}

bool openDevice()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // Die with the clock, however it ends; and if it has already gone (we now
    // belong to another parent), play nothing.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (argc != 4 && argc != 7)
        fail("usage: dialvane-sound CLOCK_PID DEVICE_TYPE FILE [VOLUME FADE_MS FADE_DONE_MS]");
    long volume = 100, fadeMs = 0, fadeDoneMs = 0;
    if (argc == 7) {
        // Five minutes is the longest rise the clock asks for; a day is far beyond.
        const auto v = argNumber(argv[4], 100), f = argNumber(argv[5], 86'400'000);
        const auto d = f ? argNumber(argv[6], *f) : std::nullopt;
        if (!v || !f || !d)
            fail("usage: VOLUME 0 to 100, FADE_MS 0 to a day, FADE_DONE_MS 0 to FADE_MS");
        volume = *v;
        fadeMs = *f;
        fadeDoneMs = *d;
    }
    if (getppid() != pid_t(std::strtol(argv[1], nullptr, 10)))
        return 3;
    // DEVICE_TYPE (argv[2]), from the name's ending, is not trusted: only what
    // the file's bytes say reaches a decoder.
    const char *const path = argv[3];

    // A regular file only: a FIFO would block the open, a device never ends.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st { };
    if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        fail(std::string("cannot open ") + path);
    if (st.st_size > kLargestSound)
        fail(std::string("too large to play (over 1 GiB): ") + path);
    // Read whole, not mapped: a file cut short while it plays must not take
    // the player down with it.
    std::string file(size_t(st.st_size), '\0');
    size_t got = 0;
    while (got < file.size()) {
        const ssize_t n = read(fd, file.data() + got, file.size() - got);
        if (n <= 0)
            break;
        got += size_t(n);
    }
    close(fd);
    file.resize(got);

    std::string_view data = file;
    const dv::SoundKind kind = dv::sniffSound(file);
    double midiSeconds = 0;
    if (kind == dv::SoundKind::Wave) {
        const std::optional<dv::WaveParts> parts = dv::waveParts(file);
        if (!parts)
            fail(std::string("unplayable WAV header in ") + path);
        data = dv::soundOnly(file, *parts);
    } else if (kind == dv::SoundKind::Midi) {
        const dv::MidiFacts midi = dv::readMidi(data);
        if (!midi.hasNotes)
            fail(std::string("no notes in ") + path); // it would play two seconds of nothing
        if (midi.events > kMostMidiEvents || midi.tempoChanges > kMostTempoChanges)
            fail(std::string("too many events to play: ") + path);
        midiSeconds = midi.seconds;
    } else {
        fail(std::string("neither a WAV nor a MIDI file: ") + path);
    }

    if (!std::getenv("SDL_SOUNDFONTS")) {
        for (const char *sf : kSoundFonts) {
            if (access(sf, R_OK) == 0) {
                setenv("SDL_SOUNDFONTS", sf, 1);
                break;
            }
        }
    }
    // A kill must end this process at once, not become a quit event.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The user's device first; without one, the silent driver, so that the
    // sound still takes its time and ends, and the clock is told nobody hears it.
    const char *const chosen = std::getenv("SDL_AUDIODRIVER");
    bool silent = false;
    if (!openDevice()) {
        if (chosen && std::string_view(chosen) == "dummy")
            fail(SDL_GetError());
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (!openDevice())
            fail(SDL_GetError());
        silent = true;
    }
    if (kind == dv::SoundKind::Midi)
        Mix_Init(MIX_INIT_MID);
    SDL_RWops *rw = SDL_RWFromConstMem(data.data(), int(data.size()));
    Mix_Music *music = rw ? Mix_LoadMUSType_RW(rw, kind == dv::SoundKind::Wave ? MUS_WAV : MUS_MID, 1) : nullptr;
    if (!music)
        fail(SDL_GetError());
    double seconds = midiSeconds + 3.0; // the synthesiser lets the last notes fade, then waits 2 s
    if (kind == dv::SoundKind::Wave) {
        seconds = Mix_MusicDuration(music);
        if (seconds <= 0)
            fail(std::string("no sound in ") + path);
    }
    if (!(seconds <= kLongestClaimSeconds))
        fail(std::string("too long to play (over a day): ") + path);
    const long long lengthMs = std::min(std::llround(seconds * 1000), kLongestPlayMs);
    g_startedLine = "started " + std::to_string(lengthMs) + ' '
                    + (SDL_GetCurrentAudioDriver() ? SDL_GetCurrentAudioDriver() : "?")
                    + (silent ? " silent" : " heard");
    Mix_VolumeMusic(int((volume * MIX_MAX_VOLUME + 50) / 100)); // 50 % is 64 of 128
    int rate = 0, channels = 0;
    Uint16 format = 0;
    if (fadeDoneMs < fadeMs && Mix_QuerySpec(&rate, &format, &channels) && channels > 0) {
        g_fadeFrames = static_cast<long long>(fadeMs) * rate / 1000;
        g_fadeDone = static_cast<long long>(fadeDoneMs) * rate / 1000;
        g_channels = channels;
        // The device opens as asked, 16-bit, as Mix_OpenAudio allows no other
        // format; were it ever not, the mixer's own rise from silence is next best.
        g_ramp = format == AUDIO_S16SYS;
    }
    Mix_HookMusicFinished(musicFinished);
    Mix_SetPostMix(afterMix, nullptr);
    g_armed = true;
    const bool mixerFade = fadeDoneMs < fadeMs && !g_ramp;
    if ((mixerFade ? Mix_FadeInMusic(music, 1, int(fadeMs - fadeDoneMs)) : Mix_PlayMusic(music, 1)) != 0)
        fail(SDL_GetError());
    // The halt calls the finished hook itself, on this thread.
    if (!g_ended.try_acquire_for(std::chrono::milliseconds(kLongestPlayMs)))
        Mix_HaltMusic();
    const long long first = g_firstSampleMs.load();
    Mix_CloseAudio();
    report("ended " + std::to_string(first < 0 ? 0 : nowMs() - first));
    std::_Exit(0);
}
