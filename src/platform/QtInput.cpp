// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtInput.h"

#include <QCursor>
#include <QGuiApplication>

namespace dv {

const QtInput::State &QtInput::state() const
{
    // The ticks still ask: a pointer put somewhere by a program (a warp) moves
    // no device, and the server tells no move.
    if (m_age.isValid() && m_age.elapsed() < 20)
        return m_state;
    const x11::PointerState x = x11::queryPointer();
    if (x.ok) {
        m_state = {x.pos, x.shift, x.ctrl};
    } else {
        const Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
        m_state = {QCursor::pos(), bool(m & Qt::ShiftModifier), bool(m & Qt::ControlModifier)};
    }
    m_age.start();
    return m_state;
}

QtInput::QtInput()
    : m_keys(x11::available() ? std::make_unique<x11::ModifierWatch>() : nullptr)
    , m_pointer(x11::available() ? std::make_unique<x11::PointerWatch>() : nullptr)
{
    m_settle.setSingleShot(true);
    connect(&m_settle, &QTimer::timeout, this, &QtInput::settled);
    // Keys at once; the pointer after a moment, so that one look serves a
    // whole sweep of moves (a quarter second is the rule, this is well inside it).
    if (m_keys)
        m_keys->changed = [this] { m_settle.start(0); };
    if (m_pointer)
        m_pointer->moved = [this] {
            m_age.invalidate();
            if (!m_settle.isActive())
                m_settle.start(40);
        };
}

void QtInput::settled()
{
    // Listen again before looking, so that no move after the look goes unheard.
    if (m_pointer && m_watching)
        m_pointer->setOn(true);
    m_age.invalidate();
    emit changed();
}

bool QtInput::pushesChanges(bool pointer) const
{
    return m_keys && m_keys->live() && (!pointer || (m_pointer && m_pointer->live()));
}

void QtInput::watchPointer(bool on)
{
    m_watching = on;
    if (m_pointer)
        m_pointer->setOn(on);
}

QPoint QtInput::cursorPos() const
{
    return state().pos;
}

bool QtInput::shiftHeld() const
{
    return m_keys && m_keys->live() ? m_keys->shift() : state().shift;
}

bool QtInput::ctrlHeld() const
{
    return m_keys && m_keys->live() ? m_keys->ctrl() : state().ctrl;
}

} // namespace dv
