// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pieces the settings dialogs share.

#include "platform/Platform.h"
#include "settings/Settings.h"

#include <QFrame>
#include <QLineEdit>
#include <QStandardPaths>

#include <functional>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace dv {

// Runs `left` when the field loses the focus to another control of its own
// window (not when another window or a popup takes it).
void onFieldLeft(QLineEdit *field, std::function<void()> left);

// A colour sample; a click asks for a new colour.
class Swatch final : public QFrame {
    Q_OBJECT
public:
    explicit Swatch(QWidget *parent = nullptr);
    void setColor(quint32 bgr);
    quint32 color() const { return m_color; }
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *) override { emit clicked(); }

private:
    quint32 m_color = 0;
};

// The choosers' set-ups: a board picture and a sound. Each starts where the
// user is: the folder of the field's file, else the user's pictures or music
// folder, else home; never the program's own folder.
FileChoice pictureChoice(const QString &current);
FileChoice soundChoice(const QString &current);
QString chooserFolder(const QString &current, QStandardPaths::StandardLocation fallback);
// A field takes the chosen file; cancelling keeps what it held.
void chooseInto(Choosers &choose, const FileChoice &choice, QLineEdit *field);

// Sets the dialog's size for good (no resizing, no maximising). A dialog
// larger than the screen's free area (a small screen, large fonts) gets its
// content in a scroll area as large as fits. Call when its content is built.
void fitToScreen(QDialog *d);

// Controls carry the names readers and tests look for them by. Buttons leave
// Enter to the dialog's default button.
QPushButton *newButton(QWidget *parent, const char *name, const QString &caption);
QLabel *newLabel(QWidget *parent, const QString &caption);
// A field for one text setting, as long as that setting takes (settingFields).
QLineEdit *newField(QWidget *parent, const char *name, QString Settings::*setting);

} // namespace dv
