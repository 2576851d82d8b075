#include "core/engine/CommandState.h"

namespace tessary {

void CommandState::Change(Command command, bool CommandItem::*field, bool on) {
    CommandItem& item = items_[static_cast<std::size_t>(command)];
    if (item.*field == on) return;
    item.*field = on;
    ++revision_;
}

}  // namespace tessary
