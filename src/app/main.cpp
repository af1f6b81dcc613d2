// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/Holidays.h"
#include "app/ClockApp.h"
#include "app/Remote.h"
#include "app/Snapshot.h"
#include "platform/EndSignals.h"
#include "platform/SingleInstance.h"
#include "platform/WindowSystem.h"
#include "resources/Art.h"
#include "resources/Language.h"
#include "resources/Product.h"
#include "resources/Texts.h"

#include <QApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <optional>

namespace {
// The display whose clock this start is, or asks.
QString clockDisplay()
{
    return qEnvironmentVariable("DISPLAY", qEnvironmentVariable("WAYLAND_DISPLAY"));
}

// An answer that did not reach standard output (a full disk, a closed
// descriptor) is a failure, told on standard error.
int answered()
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    const int error = errno;
    std::fprintf(stderr, "%s\n", qPrintable(dv::text::answerNotWritten(QString::fromLocal8Bit(std::strerror(error)))));
    return 1;
}

// --holidays [YEAR]: the national holidays of that year, or of this one.
int printHolidays(const char *given)
{
    int year = QDate::currentDate().year();
    if (given && given[0] != '-') {
        bool ok = false;
        year = QString::fromLocal8Bit(given).toInt(&ok);
        if (!ok || year < dv::kFirstHolidayYear || year > dv::kLastHolidayYear) {
            std::fprintf(stderr, "%s\n", qPrintable(dv::text::holidayYearRefused(QString::fromLocal8Bit(given))));
            return 2;
        }
    }
    std::fputs(dv::holidayLines(year).toUtf8().constData(), stdout);
    return answered();
}

// --help and --version answer on standard output; with no X display the
// program says so in one line rather than let the window system abort it.
// Returns the exit code when the program should end here.
std::optional<int> answerWithoutWindows(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(qPrintable(dv::text::Usage), stdout);
            return answered();
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs(qPrintable(dv::text::VersionLine), stdout);
            return answered();
        }
        if (std::strcmp(argv[i], "--holidays") == 0)
            return printHolidays(i + 1 < argc ? argv[i + 1] : nullptr);
    }
    // --stop, --snooze and --next ask the running clock over the session bus:
    // no window system, no clock of their own.
    if (const dv::RemoteCommand command = dv::remoteCommand(argc, argv); command != dv::RemoteCommand::None) {
        dv::SingleInstance::keepFromStartingABus();
        int rc = 0;
        {
            const QCoreApplication app(argc, argv);
            rc = dv::runRemoteCommand(command, clockDisplay(), QCoreApplication::applicationDirPath());
        }
        // The bus library's thread may still be taking in the bus's news (a clock
        // that has just ended, say) while the program's static data is torn down,
        // and would then print warnings after the answer. Nothing is left to save:
        // end here, the answer flushed.
        rc = rc == 0 ? answered() : rc;
        std::fflush(nullptr);
        std::_Exit(rc);
    }
    if (dv::isSnapshotCommand(argc, argv))
        return std::nullopt;
    // A clock's start: an offset it ignores is said before anything else can fail.
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    if (const std::optional<QString> bad = dv::parseCommandLine(words.join(QLatin1Char(' '))).badOffset)
        std::fprintf(stderr, "%s\n", qPrintable(dv::text::offsetIgnored(*bad)));
    // A platform the user chose is theirs; otherwise the clock needs X11
    // (XWayland under Wayland): see that it can be reached.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return std::nullopt;
    if (dv::xDisplayReachable())
        return std::nullopt;
    std::fprintf(stderr, "%s\n", qPrintable(dv::text::noDisplay(qEnvironmentVariable("DISPLAY"))));
    return 1;
}
// A window system that cannot be loaded (QT_QPA_PLATFORM=nonsense) ends Qt
// with a page of its own and an abort. While the application is made, Qt's
// messages wait here: the fatal one becomes the clock's one line and exit
// status 1; the others go out as they would have once it is made.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QtMessageHandler g_qtHandler = nullptr;
QList<HeldMessage> g_held;

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(dv::text::noPlatformPlugin(qEnvironmentVariable("QT_QPA_PLATFORM"))));
        std::_Exit(1);
    }
    g_held.append({type, QByteArray(context.category), text});
}

void releaseMessages()
{
    qInstallMessageHandler(g_qtHandler);
    for (const HeldMessage &m : std::as_const(g_held)) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
        g_qtHandler(m.type, context, m.text);
    }
    g_held.clear();
}
} // namespace

int main(int argc, char **argv)
{
    // An alarm whose time comes while the clock starts, however slowly, rings.
    const qint64 startedMs = QDateTime::currentMSecsSinceEpoch();
    if (const std::optional<int> rc = answerWithoutWindows(argc, argv))
        return *rc;

    // A clock lives for days: a frame-sized buffer (a whole face for an expose,
    // the hands' box each second) goes back to the system when freed, rather
    // than raise the allocator's thresholds and stay in the heap for good.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);

    if (dv::isSnapshotCommand(argc, argv)) {
        // Images and painting need no display, nor a GUI application.
        QCoreApplication app(argc, argv);
        QString error;
        QList<QByteArray> rawArgs;
        for (int i = 0; i < argc; ++i)
            rawArgs << QByteArray(argv[i]);
        const int rc = dv::runSnapshot(app.arguments(), rawArgs, QCoreApplication::applicationDirPath(), error);
        if (rc != 0)
            std::fprintf(stderr, "dialvane: %s\n", qPrintable(error));
        return rc;
    }

    // Under Wayland a client can neither place itself nor read the pointer: ask
    // for X11 (XWayland) first, unless the user chose.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");

    dv::SingleInstance::keepFromStartingABus();
    g_qtHandler = qInstallMessageHandler(holdMessage);
    QApplication app(argc, argv);
    releaseMessages();
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(dv::clockIcon()); // every window and box, not Qt's generic one
    QCoreApplication::setOrganizationName(QLatin1String(dv::kOrganization));
    QCoreApplication::setApplicationName(QLatin1String(dv::kApplication));

    // The user's language, chosen once, before any window or box is made.
    const dv::Translations language;

    // One clock per user and display: a second start brings up the running
    // clock's settings and leaves. It never deletes the store under that clock.
    const QString commandLine = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
    dv::SingleInstance instance(clockDisplay());
    if (!instance.claim()) {
        if (dv::parseCommandLine(commandLine).delreg) {
            dv::QtMessageBoxes::informAndWait(dv::text::AlreadyRunningDelreg);
            return 0;
        }
        if (instance.askRunningToOpenSettings())
            return 0;
        // It could not be asked: it may be on its way out. One more try.
        QThread::msleep(500);
        if (!instance.claim()) {
            // It runs, but there is no bus to ask it over (or it does not answer).
            dv::QtMessageBoxes::informAndWait(dv::text::AlreadyRunning);
            return 0;
        }
    }

    dv::ClockApp clock(QCoreApplication::applicationDirPath());
    QObject::connect(&instance, &dv::SingleInstance::openSettingsRequested, &clock,
                     &dv::ClockApp::openSettingsOnRequest);
    instance.onStop = [&clock] { return clock.pressAlarmButtonOnRequest(false); };
    instance.onSnooze = [&clock] { return clock.pressAlarmButtonOnRequest(true); };
    instance.onNext = [&clock] { return clock.nextAlarmOnRequest(); };
    // A polite end (a logout, kill, Ctrl+C) ends the clock at once, whatever it is doing.
    dv::EndSignals endSignals;
    QObject::connect(&endSignals, &dv::EndSignals::received, &clock, &dv::ClockApp::endOnSignal);
    clock.start(commandLine, startedMs);
    if (clock.endedBySignal())
        return 0; // during start-up, before the event loop ran
    if (instance.lockNotTaken()) {
        // Once the clock runs: its own start-up comes first.
        const QString told = dv::text::withPath(dv::text::LockNotTaken, instance.lockPath());
        QTimer::singleShot(0, &clock, [&clock, told] { clock.messages().inform(told); });
    }
    return app.exec();
}
