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
class ScriptedDialogs final : public FileDialogs {
public:
    struct Script {
        std::deque<std::string> answers;
        std::vector<FileDialogRequest> requests; // both kinds, in the order asked
        std::vector<FileDialogRequest> open_requests;
        std::vector<FileDialogRequest> save_requests;
        int unexpected = 0;
    };

    ScriptedDialogs() : script_(std::make_shared<Script>()) {}
    explicit ScriptedDialogs(std::shared_ptr<Script> script) : script_(std::move(script)) {}

    void answer(std::string name) { script_->answers.push_back(std::move(name)); }
    const std::vector<FileDialogRequest>& requests() const { return script_->requests; }
    int unexpected() const { return script_->unexpected; }

    std::string ask_open_file_name(const FileDialogRequest& request) override;
    std::string ask_save_file_name(const FileDialogRequest& request) override;

private:
    std::string next(const FileDialogRequest& request);
    std::shared_ptr<Script> script_;
};

} // namespace vornel::test
