// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ResidentPages.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <sys/mman.h>
#include <vector>

namespace dv {

namespace {

struct Mapping {
    uintptr_t start = 0, end = 0;
    bool candidate = false; // read-only and backed by a file
    bool written = false;   // holds pages of its own (relocations, copies on write)
};

} // namespace

void releaseIdlePages()
{
    malloc_trim(0);
    FILE *f = std::fopen("/proc/self/smaps", "re");
    if (!f)
        return;
    std::vector<Mapping> maps;
    char line[512];
    while (std::fgets(line, sizeof line, f)) {
        uintptr_t start = 0, end = 0, inode = 0;
        char perms[8] = {};
        unsigned long long offset = 0;
        char dev[16] = {};
        if (std::sscanf(line, "%" SCNxPTR "-%" SCNxPTR " %7s %llx %15s %" SCNuPTR, &start, &end, perms, &offset, dev,
                        &inode)
            == 6) {
            // Only a file's read-only pages: those go back to the file's content.
            maps.push_back({start, end, inode != 0 && perms[0] == 'r' && perms[1] != 'w', false});
            continue;
        }
        unsigned long kb = 0;
        if (!maps.empty() && std::sscanf(line, "Anonymous: %lu kB", &kb) == 1 && kb > 0)
            maps.back().written = true;
    }
    std::fclose(f);
    for (const Mapping &m : maps)
        if (m.candidate && !m.written)
            madvise(reinterpret_cast<void *>(m.start), m.end - m.start, MADV_DONTNEED);
}

} // namespace dv
