// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

namespace vornel {

// SIGTERM and SIGHUP (a session logging out, a service manager stopping the program) end the
// window program as "Quitter" does, so that everything that saves on the way out (the game in
// play) saves, once. The handler itself only writes a byte to a pipe, the one thing a signal
// handler may safely do; the event loop reads it and asks the application to quit. A second
// signal while the first is being handled ends the program at once, as the signal would have.
//
// One instance at a time; it takes the two signals over while it lives and gives them back to
// their default action afterwards.
class QuitSignals final : public QObject {
    Q_OBJECT

public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    // Whether the signals were taken over (a pipe could be made).
    bool active() const { return notifier_ != nullptr; }

signals:
    // A quitting signal arrived; the application has been asked to quit.
    void received(int signal_number);

private:
    void on_readable();
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace vornel
