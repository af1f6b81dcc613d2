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

namespace {
std::uint32_t le16(std::string_view h, std::size_t at)
{
    return std::uint32_t(std::uint8_t(h[at])) | std::uint32_t(std::uint8_t(h[at + 1])) << 8;
}
std::uint32_t le32(std::string_view h, std::size_t at)
{
    return le16(h, at) | le16(h, at + 2) << 16;
}
void putLe32(std::string &out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += char(v >> (8 * i) & 0xff);
}

// One to eight channels, a real rate, sane bits and block align, in one of the
// encodings the decoder knows (PCM, float, A-law, mu-law, or these extended).
bool fmtSane(std::string_view f)
{
    if (f.size() < 16)
        return false;
    const std::uint32_t format = le16(f, 0), channels = le16(f, 2), rate = le32(f, 4), align = le16(f, 12),
                        bits = le16(f, 14);
    const bool known = format == 1 || format == 3 || format == 6 || format == 7 || (format == 0xFFFE && f.size() >= 40);
    return known && channels >= 1 && channels <= 8 && rate >= 1000 && rate <= 384000 && bits >= 4 && bits <= 64
           && align == channels * ((bits + 7) / 8);
}
} // namespace

std::optional<WaveParts> waveParts(std::string_view file)
{
    if (sniffSound(file) != SoundKind::Wave)
        return std::nullopt;
    std::optional<WaveParts> fmt, data;
    const std::size_t size = file.size();
    for (std::size_t pos = 12; pos + 8 <= size;) {
        const std::string_view id = file.substr(pos, 4);
        const std::uint32_t claimed = le32(file, pos + 4);
        const std::size_t at = pos + 8, held = std::min<std::size_t>(claimed, size - at);
        if (id == "fmt ") {
            if (fmt || held < claimed || !fmtSane(file.substr(at, held)))
                return std::nullopt;
            fmt = WaveParts{at, claimed};
        } else if (id == "data" && !data) {
            data = WaveParts{0, 0, at, std::uint32_t(held)};
        }
        if (held < claimed)
            break; // the last chunk, cut short
        pos = at + held + (held & 1);
    }
    if (!fmt || !data || data->dataSize == 0)
        return std::nullopt;
    return WaveParts{fmt->fmtAt, fmt->fmtSize, data->dataAt, data->dataSize};
}

std::string_view soundOnly(std::string &file, const WaveParts &parts)
{
    const std::uint32_t fmtPadded = parts.fmtSize + (parts.fmtSize & 1);
    std::string head = "RIFF";
    putLe32(head, 4 + 8 + fmtPadded + 8 + parts.dataSize);
    head += "WAVEfmt ";
    putLe32(head, parts.fmtSize);
    head.append(file, parts.fmtAt, parts.fmtSize);
    head.resize(head.size() + (parts.fmtSize & 1), '\0');
    head += "data";
    putLe32(head, parts.dataSize);
    // In place before the sound where there is room (there always is in a
    // file with "fmt " first); a file of gigabytes is not copied.
    if (parts.dataAt >= head.size()) {
        const std::size_t from = parts.dataAt - head.size();
        file.replace(from, head.size(), head);
        return std::string_view(file).substr(from, head.size() + parts.dataSize);
    }
    file = head + file.substr(parts.dataAt, parts.dataSize);
    return file;
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
                if (type == 0x51 && len == 3 && at + 3 <= end) {
                    tempos[tick] = std::uint32_t(u8(at)) << 16 | u16(at + 1);
                    ++facts.tempoChanges;
                }
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
            ++facts.events;
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
