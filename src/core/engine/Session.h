#pragma once

#include <functional>
#include <string>

#include "core/pattern/ReferenceCopy.h"
#include "core/files/DisplaySetup.h"
#include "core/files/PatternFile.h"
#include "core/files/PatternOptions.h"
#include "core/services/Messages.h"
#include "core/services/Progress.h"
#include "core/pattern/PatternStore.h"

namespace tessary {

class SettingsStore;
class MessagePresenter;
class ProgressWindow;

// What a front end provides to the core.
struct Platform {
    SettingsStore& settings;
    MessagePresenter& presenter;
    ProgressWindow& progressWindow;
    DefaultFolders folders;
    std::function<std::string()> dateText = CurrentDateText;  // for file headers
};

// The one pattern and everything that works on it, as a front end holds it.
// Display settings and pattern options are read from the settings store.
class Session {
public:
    explicit Session(const Platform& platform);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    SettingsStore& settings;
    Progress progress;
    Messages messages;
    ReferenceCopy reference;
    PatternStore store;
    PatternOptions options;
    DisplaySetup display;
    PatternFile file;
};

}  // namespace tessary
