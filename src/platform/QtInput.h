// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"
#include "platform/X11.h"

#include <QElapsedTimer>
#include <QTimer>

namespace dv {

// Pointer and keys as the server has them (the clock never has the focus).
// The keys come pushed by the server where it can; otherwise one round trip
// serves the three questions of a tick.
class QtInput final : public InputState {
public:
    QtInput();
    ~QtInput() override;
    QPoint cursorPos() const override;
    bool shiftHeld() const override;
    bool ctrlHeld() const override;
    bool pushesChanges(bool pointer) const override;
    void watchPointer(bool on) override;

private:
    struct State {
        QPoint pos;
        bool shift = false, ctrl = false;
    };
    const State &state() const;
    void settled();
    mutable State m_state;
    mutable QElapsedTimer m_age;
    x11::ModifierWatch *m_keys = nullptr;
    x11::PointerWatch *m_pointer = nullptr;
    bool m_watching = false;
    QTimer m_settle; // a change is told once the X event that brought it is done
};

} // namespace dv
