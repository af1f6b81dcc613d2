// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the settings dialogs accept, and whether anything differs from what
// was last saved: plain rules, no widgets.

#include "settings/Parameters.h"

#include <QStringList>

#include <optional>

namespace dv {

// The unsaved-change test: the key of the first setting the quit's question
// compares that differs, in store order; nothing when none does. A Boolean
// differs only as a check box would show it (any non-zero is ticked).
std::optional<QString> firstDifference(const Settings &present, const Settings &saved);

// The size dialog's list for a screen this many pixels high.
QStringList clockSizeEntries(double screenHeightPx);
// The size a picked entry puts into the field.
QString pickedSize(const QString &entry, double screenHeightPx);
// A typed size: a number from 60 up to the screen height. Text that is not a
// number is refused like a size out of range.
bool sizeAccepted(const QString &text, double screenHeightPx);
// The stored size of a typed one: the nearest whole number, halves to even.
std::optional<qint32> sizeFromText(const QString &text);

} // namespace dv
