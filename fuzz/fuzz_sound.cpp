// SPDX-License-Identifier: GPL-3.0-or-later
// The sound player's readers of the files it is given, which run before any
// decoder: the kind, the WAV's chunks and their rewrite, the MIDI walk. What
// the rewrite hands the decoder is a WAV of the same sound and nothing else.
#include "player/SoundFile.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view in(reinterpret_cast<const char *>(data), size);
    const dv::SoundKind kind = dv::sniffSound(in);
    if (const std::optional<dv::WaveParts> parts = dv::waveParts(in)) {
        if (kind != dv::SoundKind::Wave)
            std::abort();
        std::string file(in);
        const std::string_view out = dv::soundOnly(file, *parts);
        const std::optional<dv::WaveParts> again = dv::waveParts(out);
        if (!again || again->fmtAt != 20 || again->dataSize != parts->dataSize
            || out.substr(again->dataAt, again->dataSize) != in.substr(parts->dataAt, parts->dataSize)
            || out.size() != again->dataAt + again->dataSize)
            std::abort();
    }
    const dv::MidiFacts midi = dv::readMidi(in);
    if (!(midi.seconds >= 0))
        std::abort();
    return 0;
}
