// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/SoundFile.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace dv {

SoundKind sniffSound(std::string_view head)
{
    if (head.size() >= 12 && head.starts_with("RIFF") && head.substr(8, 4) == "WAVE")
        return SoundKind::Wave;
    if (head.starts_with("MThd"))
        return SoundKind::Midi;
    return SoundKind::Unknown;
}

bool wavHeaderSane(std::string_view h)
{
    const auto size = std::int64_t(h.size());
    auto u16 = [&h](std::int64_t at) { return std::uint16_t(std::uint8_t(h[at]) | std::uint8_t(h[at + 1]) << 8); };
    auto u32 = [&](std::int64_t at) { return std::uint32_t(u16(at)) | std::uint32_t(u16(at + 2)) << 16; };
    std::int64_t pos = 12;
    while (pos + 8 <= size) {
        const std::uint32_t len = u32(pos + 4);
        if (h.substr(std::size_t(pos), 4) == "fmt ") {
            if (len < 16 || pos + 24 > size)
                return false;
            const unsigned format = u16(pos + 8), channels = u16(pos + 10), align = u16(pos + 20), bits = u16(pos + 22);
            const std::uint32_t rate = u32(pos + 12);
            const bool pcm = format == 1 || format == 3;
            return channels >= 1 && channels <= 8 && rate >= 1000 && rate <= 384000 && align >= 1 && bits >= 4
                   && bits <= 64 && (!pcm || align == channels * ((bits + 7) / 8));
        }
        if (len > size)
            return false; // the "fmt " chunk comes first in any file we can play
        pos += 8 + std::int64_t(len) + (len & 1);
    }
    return false;
}

MidiFacts readMidi(std::string_view m)
{
    MidiFacts facts;
    const auto n = std::int64_t(m.size());
    auto u8 = [&m](std::int64_t at) { return std::uint8_t(m[std::size_t(at)]); };
    auto u16 = [&](std::int64_t at) { return unsigned(u8(at)) << 8 | u8(at + 1); };
    auto u32 = [&](std::int64_t at) { return std::uint32_t(u16(at)) << 16 | u16(at + 2); };
    auto varLen = [&](std::int64_t &at, std::int64_t end) {
        std::uint32_t v = 0;
        for (int i = 0; i < 4 && at < end; ++i) {
            const std::uint8_t b = u8(at++);
            v = v << 7 | (b & 0x7f);
            if (!(b & 0x80))
                break;
        }
        return v;
    };
    if (n < 14 || !m.starts_with("MThd"))
        return facts;
    const unsigned division = u16(12);
    std::map<std::uint64_t, std::uint32_t> tempos; // tick -> microseconds per quarter note
    std::uint64_t lastTick = 0;
    std::int64_t pos = 8 + std::int64_t(u32(4));
    while (pos + 8 <= n) {
        const std::int64_t end = std::min(n, pos + 8 + std::int64_t(u32(pos + 4)));
        const bool track = m.substr(std::size_t(pos), 4) == "MTrk";
        std::int64_t at = pos + 8;
        std::uint8_t status = 0;
        std::uint64_t tick = 0;
        while (track && at < end) {
            tick += varLen(at, end);
            if (at >= end)
                break;
            if (u8(at) & 0x80)
                status = u8(at++);
            if (status == 0xFF) { // meta event
                const std::uint8_t type = at < end ? u8(at++) : 0;
                const std::uint32_t len = varLen(at, end);
                if (type == 0x51 && len == 3 && at + 3 <= end)
                    tempos[tick] = std::uint32_t(u8(at)) << 16 | u16(at + 1);
                at += len;
            } else if (status == 0xF0 || status == 0xF7) { // system exclusive
                at += varLen(at, end);
            } else if (status >= 0x80) {
                const int kind = status >> 4;
                if (kind == 0x9 && at + 1 < end && u8(at + 1) > 0)
                    facts.hasNotes = true;
                at += (kind == 0xC || kind == 0xD) ? 1 : 2;
            } else {
                break; // data with no status: nothing more to read in this track
            }
            lastTick = std::max(lastTick, tick);
        }
        pos = end;
    }
    if (division & 0x8000) { // frames a second and ticks a frame
        const int fps = -int(std::int8_t(division >> 8));
        const unsigned perFrame = division & 0xff;
        if (fps > 0 && perFrame > 0)
            facts.seconds = double(lastTick) / (fps * perFrame);
    } else if (division > 0) {
        std::uint64_t from = 0;
        double usPerQuarter = 500000;
        for (const auto &[tick, tempo] : tempos) {
            if (tick >= lastTick)
                break;
            facts.seconds += double(tick - from) * usPerQuarter / division / 1e6;
            from = tick;
            usPerQuarter = tempo;
        }
        facts.seconds += double(lastTick - from) * usPerQuarter / division / 1e6;
    }
    return facts;
}

} // namespace dv
