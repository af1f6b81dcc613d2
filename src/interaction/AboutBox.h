// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box.

#include <QDialog>

namespace dv {

class AboutBox final : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);
    void centre();
};

} // namespace dv
