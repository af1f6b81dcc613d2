// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the clock's icon as PNGs for the desktop, one a size:
// make_icon FOLDER SIZE... makes FOLDER/dialvane-SIZE.png.
#include "resources/Art.h"

#include <QString>

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int side = atoi(argv[i]);
        if (side <= 0 || !dv::clockIconImage(side).save(folder + QStringLiteral("/dialvane-%1.png").arg(side), "PNG"))
            return 1;
    }
    return 0;
}
