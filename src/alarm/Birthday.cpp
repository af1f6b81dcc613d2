// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/Birthday.h"

#include "resources/Texts.h"
#include "settings/Settings.h"

#include <QFile>
#include <QStringDecoder>

namespace dv {

QString decodeBirthdayFile(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder sjis("Shift_JIS");
    if (sjis.isValid())
        return sjis(bytes);
    return text;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString birthdayKey(const QDate &today)
{
    return today.toString(QStringLiteral("MM/dd"));
}

QStringList birthdayMessages(const QString &fileText, const QString &key)
{
    QStringList out;
    for (const QString &L : splitLines(fileText)) {
        const qsizetype p1 = L.indexOf(QLatin1Char(','));
        if (p1 < 0)
            continue;
        const qsizetype p2 = L.indexOf(QLatin1Char(','), p1 + 1);
        if (p2 < 0 || p2 == L.size() - 1)
            continue; // no second comma, or nothing after it
        const QString date = L.left(p1);
        const QString name = L.mid(p1 + 1, p2 - p1 - 1);
        const QChar last = L.back();
        const int kind = (last >= QLatin1Char('0') && last <= QLatin1Char('9')) ? last.digitValue() : 0;
        if (date != key)
            continue;
        if (kind == 1)
            out.append(text::TodayIs + name + text::BirthdaySuffix);
        else if (kind == 2)
            out.append(text::TodayIs + name + text::DaySuffix);
    }
    return out;
}

void greetBirthdays(const QString &file, const QDate &today, MessageBoxes &msg)
{
    if (!pathExists(file, PathKind::File))
        return;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QString text = decodeBirthdayFile(f.read(kBirthdayFileLimit));
    f.close();
    const QStringList greetings = birthdayMessages(text, birthdayKey(today));
    for (QString m : greetings.mid(0, kGreetingBoxes)) {
        if (m.size() > kGreetingLimit)
            m = m.left(kGreetingLimit - 1) + QChar(0x2026);
        msg.inform(m);
    }
    if (greetings.size() > kGreetingBoxes)
        msg.inform(text::moreGreetings(int(greetings.size() - kGreetingBoxes)));
}

} // namespace dv
