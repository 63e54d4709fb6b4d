// SPDX-License-Identifier: GPL-3.0-or-later
#include "modal_watchdog.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace vornel::test {

ModalWatchdog::ModalWatchdog(int grace_ms) : grace_ms_(grace_ms) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    timer_.start();
}

void ModalWatchdog::tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
        seen_ = nullptr;
        return;
    }
    if (handler_) {
        handler_(modal);
        return;
    }
    if (modal != seen_) {
        seen_ = modal;
        seen_since_.start();
    }
    if (seen_since_.elapsed() < grace_ms_) return;
    QString what = QString::fromLatin1(modal->metaObject()->className()) + QStringLiteral(" \"") +
                   modal->windowTitle() + QStringLiteral("\"");
    if (auto* box = qobject_cast<QMessageBox*>(modal)) what += QStringLiteral(": ") + box->text();
    unexpected_ << what;
    // A dialog is ended whatever its buttons; anything else is asked to close.
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->done(QDialog::Rejected);
    else
        modal->close();
}

void default_to_offscreen() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace vornel::test
