#pragma once

// Shared pieces of the main window's test program.

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "message_box.h"
#include "open_save.h"

namespace vornel::testing {

// Takes the place of the real message boxes: remembers every box the window asked for, shows
// nothing, returns at once. The log lives outside the recorder because the window owns it.
class RecordedBoxes final : public MessageBoxes {
public:
    explicit RecordedBoxes(std::shared_ptr<std::vector<BoxRequest>> log) : log_(std::move(log)) {}
    void show(const BoxRequest& request) override { log_->push_back(request); }

private:
    std::shared_ptr<std::vector<BoxRequest>> log_;
};

// File dialogs that answer from a script: each call takes the next answer ("" = cancel) and
// remembers the request it was given. An unscripted call answers "" and counts as unexpected.
// The save dialog plays the question before replacing a file as the real one does: when the
// answer's Save target exists, the question (its target) is recorded and the next scripted reply
// taken; on "Non" the user stays in the dialog and the next answer follows.
class ScriptedDialogs final : public FileDialogs {
public:
    struct Script {
        std::deque<std::string> answers;
        std::deque<bool> replace_replies;
        std::vector<FileDialogRequest> open_requests;
        std::vector<FileDialogRequest> save_requests;
        std::vector<std::string> replace_questions;
        int unexpected = 0;
    };
    explicit ScriptedDialogs(std::shared_ptr<Script> script) : script_(std::move(script)) {}
    std::string ask_open_file_name(const FileDialogRequest& request) override {
        script_->open_requests.push_back(request);
        return next();
    }
    std::string ask_save_file_name(const FileDialogRequest& request) override {
        script_->save_requests.push_back(request);
        for (std::string name = next();; name = next()) {
            const std::string target = existing_save_target(name);
            if (target.empty()) return name;
            script_->replace_questions.push_back(target);
            if (script_->replace_replies.empty()) {
                ++script_->unexpected;
                return {};
            }
            const bool yes = script_->replace_replies.front();
            script_->replace_replies.pop_front();
            if (yes) return name;
        }
    }

private:
    std::string next() {
        if (script_->answers.empty()) {
            ++script_->unexpected;
            return {};
        }
        std::string answer = script_->answers.front();
        script_->answers.pop_front();
        return answer;
    }
    std::shared_ptr<Script> script_;
};

// Keeps a stray modal widget from hanging a test: every few milliseconds it looks for an active
// modal widget; unless a test said it expects one, it writes the widget down and closes it, so
// the test fails on the record instead of blocking CI. A test that expects a real box installs
// a handler, which is given each modal widget found and must close it.
class ModalWatchdog {
public:
    using Handler = std::function<void(QWidget* modal)>;

    ModalWatchdog() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start();
    }
    void expect(Handler handler) { handler_ = std::move(handler); }
    void expect_none() { handler_ = nullptr; }
    const QStringList& unexpected() const { return unexpected_; }

private:
    void tick() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (handler_) {
            handler_(modal);
            return;
        }
        QString what = QString::fromLatin1(modal->metaObject()->className()) + QStringLiteral(" \"") +
                       modal->windowTitle() + QStringLiteral("\"");
        if (auto* box = qobject_cast<QMessageBox*>(modal)) what += QStringLiteral(": ") + box->text();
        unexpected_ << what;
        modal->close();
    }

    QTimer timer_;
    Handler handler_;
    QStringList unexpected_;
};

} // namespace vornel::testing
