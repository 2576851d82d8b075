#pragma once

#include <string>

#include "core/platform/MessagePresenter.h"
#include "core/platform/ProgressWindow.h"

namespace tessary {

// Messages go to standard error; a question takes its default answer.
class ConsolePresenter : public MessagePresenter {
public:
    MessageAnswer Show(const MessageRequest& request) override;
};

// Batch runs show no progress.
class SilentProgressWindow : public ProgressWindow {
public:
    void Open(const std::string&, int, int, bool) override {}
    void SetValue(int) override {}
    void PumpEvents() override {}
    bool Cancelled() const override { return false; }
    void Close() override {}
};

}  // namespace tessary
