// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The file-dialog seam, scripted: nothing is shown, every request is recorded.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "open_save.h"

namespace vornel::test {

// File dialogs that answer from a script: each call takes the next answer ("" = cancel) and
// remembers the request it was given. An unscripted call answers "" and counts as unexpected, for
// the test to check at its end. The script may outlive the dialogs (a window owns its dialogs).
// The save dialog plays the question before replacing a file as the real one does: when the
// answer's Save target exists (existing_save_target), the question (that target) is recorded and
// the next scripted reply taken; on "Oui" the answer is handed back, on "Non" the user stays in
// the dialog and the next answer follows ("" cancels). An unscripted question counts as
// unexpected and cancels.
class ScriptedDialogs final : public FileDialogs {
public:
    struct Script {
        std::deque<std::string> answers;
        std::deque<bool> replace_replies;           // true: "Oui"
        std::vector<std::string> replace_questions; // the files the save dialog asked about
        std::vector<FileDialogRequest> requests;    // both kinds, in the order asked
        std::vector<FileDialogRequest> open_requests;
        std::vector<FileDialogRequest> save_requests;
        int unexpected = 0;
    };

    ScriptedDialogs() : script_(std::make_shared<Script>()) {}
    explicit ScriptedDialogs(std::shared_ptr<Script> script) : script_(std::move(script)) {}

    void answer(std::string name) { script_->answers.push_back(std::move(name)); }
    void reply_to_replace(bool yes) { script_->replace_replies.push_back(yes); }
    const std::vector<std::string>& questions() const { return script_->replace_questions; }
    const std::vector<FileDialogRequest>& requests() const { return script_->requests; }
    int unexpected() const { return script_->unexpected; }

    std::string ask_open_file_name(const FileDialogRequest& request) override;
    std::string ask_save_file_name(const FileDialogRequest& request) override;

private:
    std::string next(const FileDialogRequest& request);
    std::string next_answer(); // the next scripted answer, without a new request
    std::shared_ptr<Script> script_;
};

} // namespace vornel::test
