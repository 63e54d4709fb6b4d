#include "scripted_dialogs.h"

namespace vornel::test {

std::string ScriptedDialogs::ask_open_file_name(const FileDialogRequest& request) {
    script_->open_requests.push_back(request);
    return next(request);
}

std::string ScriptedDialogs::ask_save_file_name(const FileDialogRequest& request) {
    script_->save_requests.push_back(request);
    return next(request);
}

std::string ScriptedDialogs::next(const FileDialogRequest& request) {
    script_->requests.push_back(request);
    if (script_->answers.empty()) {
        ++script_->unexpected;
        return {};
    }
    std::string answer = std::move(script_->answers.front());
    script_->answers.pop_front();
    return answer;
}

} // namespace vornel::test
