#pragma once

#include <array>
#include <cstdint>

#include "core/engine/Commands.h"

namespace tessary {

// What the window shows of one menu entry, toolbar, toolbar button or tool
// window: the Qt layer binds each widget to its command by the command's
// name and only mirrors this.
struct CommandItem {
    bool visible = true;
    bool enabled = true;
    bool checked = false;  // a checked menu entry, a pressed button

    bool operator==(const CommandItem&) const = default;
};

class CommandState {
public:
    const CommandItem& operator[](Command command) const { return items_[static_cast<std::size_t>(command)]; }
    void SetVisible(Command command, bool on) { Change(command, &CommandItem::visible, on); }
    void SetEnabled(Command command, bool on) { Change(command, &CommandItem::enabled, on); }
    void SetChecked(Command command, bool on) { Change(command, &CommandItem::checked, on); }
    // Counts every change, so a window can tell when to look again.
    std::uint64_t Revision() const { return revision_; }

private:
    void Change(Command command, bool CommandItem::*field, bool on);

    std::array<CommandItem, kCommandCount> items_{};
    std::uint64_t revision_ = 0;
};

}  // namespace tessary
