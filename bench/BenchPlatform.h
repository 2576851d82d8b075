#pragma once

// Platform services for benchmarks: no stored settings, every message
// answered with its default.

#include "core/platform/MessagePresenter.h"
#include "core/platform/ProgressWindow.h"
#include "core/services/Settings.h"

namespace tessary::bench {

class NoSettings : public SettingsStore {
public:
    std::optional<std::string> Read(const std::string&, const std::string&) const override { return std::nullopt; }
    void Write(const std::string&, const std::string&, const std::string&) override {}
    bool Flush() override { return true; }
    std::string Location() const override { return {}; }
};

class DefaultAnswers : public MessagePresenter {
public:
    MessageAnswer Show(const MessageRequest& r) override { return r.defaultAnswer; }
};

}  // namespace tessary::bench
