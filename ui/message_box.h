// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace vornel {

// The two kinds of modal box the main window shows: a failure (stop icon) and a notice
// (information icon, the About box). Both carry a single OK button.
enum class BoxKind { Failure, Information };

struct BoxRequest {
    BoxKind kind = BoxKind::Failure;
    QString caption;
    QString text;
    QString more = {}; // a further text under `text`, in its own paragraph (the About box's licence); may be empty
};

// The seam through which the window shows its modal message boxes. The program uses
// QtMessageBoxes; tests put a recorder in its place so that no box ever blocks a test.
// show() returns once the user has closed the box; it must not throw.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(const BoxRequest& request) = 0;
};

// Real, modal QMessageBoxes over the active window (the owner when none is active). After the
// box closes, the window that was active before it is activated again: without a window manager
// nothing else would give it back its activation and keyboard focus.
class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* owner) : owner_(owner) {}
    void show(const BoxRequest& request) override;

private:
    QWidget* owner_;
};

// The caption of every failure box: the program file's name without its folder, cut before its
// first ".", the first character kept and the rest lower-cased ("vornel" -> "Vornel").
QString application_title();

} // namespace vornel
