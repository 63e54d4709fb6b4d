#pragma once

// Shared pieces of the extras test program (explanations window and file dialogs).

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QString>
#include <QTimer>
#include <QWidget>

// Each test class is run from the one main(); these return QTest::qExec's result.
int run_explications_tests(int argc, char** argv);
int run_file_dialogs_tests(int argc, char** argv);

// Fails a test instead of hanging it when a modal widget stays open: once armed, after
// `timeout_ms` it rejects every modal widget still open (repeatedly, so a box opened behind the
// first one goes too) and remembers that it had to.
class ModalWatchdog {
public:
    explicit ModalWatchdog(int timeout_ms = 10000) {
        m_timer.setInterval(timeout_ms);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_timer.setInterval(200);
            while (QWidget* modal = QApplication::activeModalWidget()) {
                m_fired = true;
                // A dialog is ended whatever its buttons; anything else is asked to close.
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->done(QDialog::Rejected);
                else
                    modal->close();
                if (QApplication::activeModalWidget() == modal) break; // refused to close; try again on the next tick
            }
        });
        m_timer.start();
    }
    bool fired() const { return m_fired; }

private:
    QTimer m_timer;
    bool m_fired = false;
};

// Where screenshots go: $VORNEL_SCREENSHOT_DIR when set (created if missing), else "" (none).
inline QString screenshot_dir() {
    const QString dir = qEnvironmentVariable("VORNEL_SCREENSHOT_DIR");
    if (!dir.isEmpty()) QDir().mkpath(dir);
    return dir;
}
