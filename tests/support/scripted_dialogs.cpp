// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripted_dialogs.h"

namespace vornel::test {

std::string ScriptedDialogs::ask_open_file_name(const FileDialogRequest& request) {
    script_->open_requests.push_back(request);
    return next(request);
}

std::string ScriptedDialogs::ask_save_file_name(const FileDialogRequest& request) {
    script_->save_requests.push_back(request);
    for (std::string name = next(request);; name = next_answer()) {
        const std::string target = request.replaced_file ? request.replaced_file(name) : std::string();
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

std::string ScriptedDialogs::next(const FileDialogRequest& request) {
    script_->requests.push_back(request);
    return next_answer();
}

std::string ScriptedDialogs::next_answer() {
    if (script_->answers.empty()) {
        ++script_->unexpected;
        return {};
    }
    std::string answer = std::move(script_->answers.front());
    script_->answers.pop_front();
    return answer;
}

} // namespace vornel::test
