#pragma once

#include <QSettings>
#include <memory>

#include "core/services/Settings.h"

namespace tessary {

// The per-user settings store: QSettings under the application title, one
// group per section (on Linux ~/.config/Tessary/Tessary.conf, honouring
// XDG_CONFIG_HOME).
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    std::optional<std::string> Read(const std::string& section, const std::string& key) const override;
    void Write(const std::string& section, const std::string& key, const std::string& value) override;
    bool Flush() override;
    std::string Location() const override;

private:
    static std::unique_ptr<QSettings> Open();

    std::unique_ptr<QSettings> settings_;
};

}  // namespace tessary
