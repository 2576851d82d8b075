#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace tessary {

// What the window shows of one menu entry, toolbar, toolbar button or tool
// window: the Qt layer binds each widget to its key ("MenuFileSave",
// "BtnModeDraw", "ToolbarFunc2", "DrawToolsForm") and only mirrors this.
struct CommandItem {
    bool visible = true;
    bool enabled = true;
    bool checked = false;  // a checked menu entry, a pressed button

    bool operator==(const CommandItem&) const = default;
};

class CommandState {
public:
    const CommandItem& operator[](const std::string& key) const;
    void SetVisible(const std::string& key, bool on) { Change(key, &CommandItem::visible, on); }
    void SetEnabled(const std::string& key, bool on) { Change(key, &CommandItem::enabled, on); }
    void SetChecked(const std::string& key, bool on) { Change(key, &CommandItem::checked, on); }
    // Counts every change, so a window can tell when to look again.
    std::uint64_t Revision() const { return revision_; }

private:
    void Change(const std::string& key, bool CommandItem::*field, bool on);

    std::map<std::string, CommandItem> items_;
    std::uint64_t revision_ = 0;
};

}  // namespace tessary
