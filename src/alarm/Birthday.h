// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

namespace dv {

// The file's text: UTF-8, or Shift_JIS as older files are when the bytes are not UTF-8.
QString decodeBirthdayFile(const QByteArray &bytes);
// Lines end in CR LF, LF or CR.
QStringList splitLines(const QString &text);
// Two-digit month "/" two-digit day.
QString birthdayKey(const QDate &today);
// The greetings for today, in file order.
QStringList birthdayMessages(const QString &fileText, const QString &key);
// At most this much of the file is read, and a greeting shows at most this many characters.
inline constexpr qint64 kBirthdayFileLimit = qint64{1024} * 1024;
inline constexpr int kGreetingLimit = 200;
// Greetings shown one by one before the clock appears; the rest are counted in one box.
inline constexpr int kGreetingBoxes = 5;

// The greetings of the file for this day, shown one by one.
void greetBirthdays(const QString &file, const QDate &today, MessageBoxes &msg);

} // namespace dv
