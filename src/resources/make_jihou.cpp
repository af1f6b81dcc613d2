// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the default time signal: three short pips one second apart and a long
// tone on the full hour. Played from hh:59:56, the pips fall on seconds 57, 58
// and 59 and the long tone on the hour.
// With "alarm", writes the built-in alarm tone instead: four quick double
// beeps in a second, which an alarm repeats when its own file cannot play.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

namespace {
constexpr int kRate = 22050;

void tone(std::vector<int16_t> &pcm, double start, double length, double freq, double gain)
{
    const size_t first = size_t(start * kRate);
    const size_t count = size_t(length * kRate);
    if (pcm.size() < first + count)
        pcm.resize(first + count, 0);
    const double fade = 0.008 * kRate; // no clicks at the ends
    for (size_t i = 0; i < count; ++i) {
        const double done = double(i), left = double(count - i);
        double env = 1.0;
        if (done < fade)
            env = done / fade;
        else if (left < fade)
            env = left / fade;
        const double t = double(i) / kRate;
        pcm[first + i] = int16_t(gain * env * 32767.0 * std::sin(2.0 * M_PI * freq * t));
    }
}

void put32(std::FILE *f, uint32_t v)
{
    std::fwrite(&v, 4, 1, f);
}
void put16(std::FILE *f, uint16_t v)
{
    std::fwrite(&v, 2, 1, f);
}
} // namespace

int main(int argc, char **argv)
{
    const bool alarm = argc == 3 && std::string_view(argv[2]) == "alarm";
    if (argc != 2 && !alarm) {
        std::fprintf(stderr, "usage: make_jihou OUT.WAV [alarm]\n");
        return 2;
    }
    std::vector<int16_t> pcm;
    if (alarm) {
        for (int i = 0; i < 4; ++i) {
            tone(pcm, i * 0.25, 0.06, 1320.0, 0.6);
            tone(pcm, i * 0.25 + 0.09, 0.06, 1320.0, 0.6);
        }
        pcm.resize(size_t(kRate), 0);
    } else {
        for (int i = 1; i <= 3; ++i)
            tone(pcm, i, 0.12, 880.0, 0.5);
        tone(pcm, 4.0, 1.6, 1760.0, 0.5);
        pcm.resize(pcm.size() + kRate / 10, 0);
    }

    std::FILE *f = std::fopen(argv[1], "wb");
    if (!f)
        return 1;
    const uint32_t bytes = uint32_t(pcm.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    put32(f, 36 + bytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(f, 16);
    put16(f, 1); // PCM
    put16(f, 1); // mono
    put32(f, kRate);
    put32(f, kRate * 2);
    put16(f, 2);
    put16(f, 16);
    std::fwrite("data", 1, 4, f);
    put32(f, bytes);
    std::fwrite(pcm.data(), 2, pcm.size(), f);
    return std::fclose(f) == 0 ? 0 : 1;
}
