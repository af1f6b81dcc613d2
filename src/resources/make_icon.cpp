// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the clock's icon as a PNG for the desktop entry.
#include "resources/Art.h"

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    return dv::clockIconImage(atoi(argv[2])).save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
