// SPDX-License-Identifier: GPL-3.0-or-later
// The time fields: accepted means empty or hh:mm from 00:00 to 23:59, nothing else.
#include "dialogs/Checks.h"

#include <QRegularExpression>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Anchored to the very end: `$` would let a trailing newline through.
    static const QRegularExpression form(
        QRegularExpression::anchoredPattern(QStringLiteral("(?:[01][0-9]|2[0-3]):[0-5][0-9]")));
    const QString typed = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString t = dv::completeTime(typed);
    const bool accepted = !dv::timeRejected(t);
    if (accepted != (t.isEmpty() || form.match(t).hasMatch()))
        std::abort();
    if (typed.size() != 4 && t != typed)
        std::abort();
    return 0;
}
