// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Keeps a stray modal widget from hanging a test.

#include <functional>

#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace vornel::test {

// Every 20 ms it looks for an active modal widget. Unless a test said it expects one, a modal
// widget that has stayed open `grace_ms` (0: at the first look) is written down and ended (a
// dialog is rejected, anything else closed; a widget opened behind it goes on a later look), so
// that the test fails on the record instead of blocking CI. A test that expects a real modal
// widget installs a handler, which is given each one found and must close it.
class ModalWatchdog {
public:
    using Handler = std::function<void(QWidget* modal)>;

    explicit ModalWatchdog(int grace_ms = 0);

    void expect(Handler handler) { handler_ = std::move(handler); }
    void expect_none() { handler_ = nullptr; }
    // One line per modal widget the watchdog had to end: its class, title and message-box text.
    const QStringList& unexpected() const { return unexpected_; }
    bool fired() const { return !unexpected_.isEmpty(); }

private:
    void tick();

    int grace_ms_;
    QTimer timer_;
    Handler handler_;
    QPointer<QWidget> seen_; // the modal widget being timed, and since when
    QElapsedTimer seen_since_;
    QStringList unexpected_;
};

// Runs Qt on the offscreen platform unless QT_QPA_PLATFORM says otherwise: a QApplication
// without a display aborts. Call before making the QApplication.
void default_to_offscreen();

} // namespace vornel::test
