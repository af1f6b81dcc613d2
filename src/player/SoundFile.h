// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the sound player learns from a file before any decoder sees it. Plain
// C++ so that the player process stays free of Qt.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dv {

enum class SoundKind { Unknown, Wave, Midi };
// The kind from the file's first bytes: "RIFF"...."WAVE" or "MThd".
SoundKind sniffSound(std::string_view head);

// Where a WAV's sound and the one "fmt " chunk that describes it lie.
struct WaveParts {
    std::size_t fmtAt = 0; // the chunk's contents, past its header
    std::uint32_t fmtSize = 0;
    std::size_t dataAt = 0;
    std::uint32_t dataSize = 0; // what the file holds of it, however much the chunk claims
};
// Walks every chunk of a RIFF WAVE file. Nothing unless there is exactly one
// "fmt " chunk, describing sound the decoder can play (it divides by some of
// its fields), and some sound: a second "fmt " chunk would override the one checked.
std::optional<WaveParts> waveParts(std::string_view file);
// Rewrites `file` in place as a WAV of that one "fmt " chunk and the sound
// alone, and returns it: the decoder then walks no loop table, tag or other
// chunk of the file's own.
std::string_view soundOnly(std::string &file, const WaveParts &parts);

struct MidiFacts {
    bool hasNotes = false; // a note-on of some velocity, anywhere in the file
    double seconds = 0;    // from the start to the last event of the longest track
    // Every event the synthesiser works through, and the tempo changes among them.
    std::uint64_t events = 0;
    std::uint64_t tempoChanges = 0;
};
// Walks every event of a standard MIDI file, however long: a file of nothing
// but silence would otherwise play two seconds of it.
MidiFacts readMidi(std::string_view file);

} // namespace dv
