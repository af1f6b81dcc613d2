// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"
#include "platform/X11.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

namespace dv {

// Pointer and keys as the server has them (the clock never has the focus).
// The keys come pushed by the server where it can; otherwise one round trip
// serves the three questions of a tick.
class QtInput final : public QObject, public InputState {
    Q_OBJECT
public:
    QtInput();
    QPoint cursorPos() const override;
    bool shiftHeld() const override;
    bool ctrlHeld() const override;
    bool pushesChanges(bool pointer) const override;
    void watchPointer(bool on) override;

signals:
    void changed(); // on the GUI thread, outside any X event

private:
    struct State {
        QPoint pos;
        bool shift = false, ctrl = false;
    };
    const State &state() const;
    void settled();
    mutable State m_state;
    mutable QElapsedTimer m_age;
    std::unique_ptr<x11::ModifierWatch> m_keys;
    std::unique_ptr<x11::PointerWatch> m_pointer;
    bool m_watching = false;
    QTimer m_settle; // a change is told once the X event that brought it is done
};

} // namespace dv
