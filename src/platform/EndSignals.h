// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGTERM, SIGINT and SIGHUP reach the event loop as a call, whatever the
// program is doing when they come (a sound playing, a dialog open).

#include <QObject>

class QSocketNotifier;

namespace dv {

class EndSignals final : public QObject {
    Q_OBJECT
public:
    explicit EndSignals(QObject *parent = nullptr); // one per process
    ~EndSignals() override;

signals:
    void received(int signal);

private:
    static void handler(int signal);
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace dv
