// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Snapshot.h"

#include "app/Clock.h"
#include "face/FacePainter.h"
#include "platform/Headless.h"
#include "platform/QtPlatform.h"

#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

#include <cstring>

namespace dv {

namespace {
class NullUi final : public ClockUi {
public:
    void watchRepaints() override { }
    void unwatchRepaints() override { }
    void setPlaceChecks(int) override { }
    void popupMenu() override { }
    void showAbout() override { }
    void openSettings(bool) override { }
    void quitCommand() override { }
    QString facePictureField() const override { return {}; }
    void setFacePictureField(const QString &) override { }
    void showAlarmWindow(const AlarmNotice &) override { }
    void endProgramNow() override { }
};
} // namespace

bool isSnapshotCommand(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--snapshot") == 0)
            return true;
    return false;
}

int runSnapshot(const QStringList &args, const QList<QByteArray> &rawArgs, const QString &appDir, QString &error)
{
    const int fi = int(args.indexOf(QStringLiteral("--snapshot")));
    const int ti = int(args.indexOf(QStringLiteral("--at")));
    if (fi < 0 || fi + 1 >= args.size() || ti < 0 || ti + 1 >= args.size()) {
        error = QStringLiteral("usage: dialvane --snapshot FILE.png --at HH:MM:SS");
        return 2;
    }
    const QString &file = args.at(fi + 1);
    const QString &at = args.at(ti + 1);
    if (file.startsWith(QLatin1Char('-'))) {
        error = QStringLiteral("'%1' is an option, not a file name: give the PNG file after --snapshot").arg(file);
        return 2;
    }
    // A name that is not UTF-8 comes back from the text as another name.
    if (fi + 1 >= rawArgs.size() || QFile::encodeName(file) != rawArgs.at(fi + 1)) {
        error = QStringLiteral("cannot write '%1': the file name is not valid UTF-8; give another name").arg(file);
        return 1;
    }
    // Written through a temporary file: never into a FIFO or a device, whose
    // place a rename would take.
    const QFileInfo target(file);
    if (target.exists() && !target.isFile()) {
        error = QStringLiteral("cannot write '%1': not a regular file").arg(file);
        return 1;
    }
    // A time of day as an alarm takes it ("7:30" is 07:30), then the seconds.
    const qsizetype colon = at.lastIndexOf(QLatin1Char(':'));
    const QString hhmm = completeTime(at.left(colon));
    const QString secs = at.mid(colon + 1);
    const bool secsOk = secs.size() == 2 && secs[0] >= QLatin1Char('0') && secs[0] <= QLatin1Char('5')
                        && secs[1] >= QLatin1Char('0') && secs[1] <= QLatin1Char('9');
    const int h = hhmm.left(2).toInt(), mi = hhmm.mid(3).toInt(), s = secs.toInt();
    if (colon < 0 || hhmm.isEmpty() || timeRejected(hhmm) || !secsOk) {
        error = QStringLiteral("bad time '%1': give HH:MM:SS, 00:00:00 to 23:59:59").arg(at);
        return 2;
    }

    HeadlessPlatform headless(appDir);
    NullUi ui;
    Clock clock(headless.platform, ui);
    const Face face = clock.snapshotFace(h, mi, s);
    QImage img = paintFace(face, 1.0);
    // The window shows only its circle; leave the rest transparent.
    QImage out(img.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    {
        QPainter p(&out);
        p.setClipRegion(QRegion(0, 0, face.size, face.size, QRegion::Ellipse));
        p.drawImage(0, 0, img);
    }
    QSaveFile save(file);
    if (!save.open(QIODevice::WriteOnly) || !out.save(&save, "PNG") || !save.commit()) {
        error = QStringLiteral("cannot write '%1': %2").arg(file, save.errorString());
        return 1;
    }
    return 0;
}

} // namespace dv
