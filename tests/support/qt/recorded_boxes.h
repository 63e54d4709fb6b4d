// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The message-box seam, recorded: nothing is shown, every box asked for is written down.

#include <memory>
#include <vector>

#include "message_box.h"

namespace vornel::test {

// Takes the place of the real message boxes: remembers every box the window asked for, shows
// nothing, returns at once. The log lives outside the recorder because the window owns it.
class RecordedBoxes final : public MessageBoxes {
public:
    explicit RecordedBoxes(std::shared_ptr<std::vector<BoxRequest>> log) : log_(std::move(log)) {}
    void show(const BoxRequest& request) override { log_->push_back(request); }

private:
    std::shared_ptr<std::vector<BoxRequest>> log_;
};

} // namespace vornel::test
