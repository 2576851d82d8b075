#include "core/engine/CommandState.h"

namespace tessary {

const CommandItem& CommandState::operator[](const std::string& key) const {
    static const CommandItem kUntouched;
    const auto it = items_.find(key);
    return it == items_.end() ? kUntouched : it->second;
}

void CommandState::Change(const std::string& key, bool CommandItem::*field, bool on) {
    CommandItem& item = items_[key];
    if (item.*field == on) return;
    item.*field = on;
    ++revision_;
}

}  // namespace tessary
