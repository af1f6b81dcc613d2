// SPDX-License-Identifier: GPL-3.0-or-later
// The greetings file: any bytes decode, split and give only whole greetings.
#include "alarm/Birthday.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = dv::decodeBirthdayFile(bytes);
    for (const QString &m : dv::birthdayMessages(text, QStringLiteral("12/07")))
        if (!m.startsWith(QStringLiteral("今日は ")))
            std::abort();
    return 0;
}
