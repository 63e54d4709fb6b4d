// SPDX-License-Identifier: GPL-3.0-or-later
#include "quit_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include <QCoreApplication>
#include <QSocketNotifier>

namespace vornel {

namespace {

// The pipe between the handler and the event loop; -1 while no QuitSignals lives.
int g_pipe[2] = {-1, -1};
volatile std::sig_atomic_t g_pending = 0;

constexpr int kQuitSignals[] = {SIGTERM, SIGHUP};

extern "C" void on_quit_signal(int signal_number) {
    const int saved_errno = errno;
    if (g_pending != 0 || g_pipe[1] < 0) {
        // Already quitting and asked again: end now, as the signal's default action does.
        ::signal(signal_number, SIG_DFL);
        ::raise(signal_number);
        errno = saved_errno;
        return;
    }
    g_pending = 1;
    const unsigned char byte = static_cast<unsigned char>(signal_number);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved_errno;
}

} // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (g_pipe[0] < 0) g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    g_pending = 0;
    notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::on_readable);
    for (const int signal_number : kQuitSignals) {
        struct sigaction handler {};
        handler.sa_handler = on_quit_signal;
        sigemptyset(&handler.sa_mask);
        handler.sa_flags = SA_RESTART;
        ::sigaction(signal_number, &handler, nullptr);
    }
}

QuitSignals::~QuitSignals() {
    if (!notifier_) return;
    for (const int signal_number : kQuitSignals) ::signal(signal_number, SIG_DFL);
    notifier_->setEnabled(false);
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
    g_pending = 0;
}

void QuitSignals::on_readable() {
    unsigned char byte = 0;
    if (::read(g_pipe[0], &byte, 1) != 1) return;
    emit received(byte);
    QCoreApplication::exit(0);
}

} // namespace vornel
