// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the sound player learns from a file before any decoder sees it. Plain
// C++ so that the player process stays free of Qt.

#include <string_view>

namespace dv {

enum class SoundKind { Unknown, Wave, Midi };
// The kind from the file's first bytes: "RIFF"...."WAVE" or "MThd".
SoundKind sniffSound(std::string_view head);
// A WAV's "fmt " chunk within `head` describes sound SDL can play: one to eight
// channels, a real rate, sane bits and block align. SDL divides by some of them.
bool wavHeaderSane(std::string_view head);

struct MidiFacts {
    bool hasNotes = false; // a note-on of some velocity, anywhere in the file
    double seconds = 0;    // from the start to the last event of the longest track
};
// Walks every event of a standard MIDI file, however long: a file of nothing
// but silence would otherwise play two seconds of it.
MidiFacts readMidi(std::string_view file);

} // namespace dv
