#include "core/shell/EditScript.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <sstream>

#include "core/engine/Workspace.h"
#include "core/shell/FileCommands.h"

namespace tessary {

namespace {

const std::map<std::string, std::int16_t> kTools = {
    {"trace", ToolTrace},   {"line", ToolLine},   {"arc", ToolArc},     {"circle", ToolCircle},
    {"rectangle", ToolRectangle}, {"square", ToolSquare}, {"sharp", ToolSharp}, {"smooth", ToolSmooth},
    {"push", ToolPush},     {"erase", ToolErase},
};
const std::map<std::string, std::int16_t> kSelectKinds = {{"objects", SelectObjects}, {"ends", SelectEnds}};
const std::map<std::string, std::int16_t> kKeys = {{"delete", KeyDelete}, {"escape", KeyEscape}};
const std::map<std::string, int> kButtons = {{"left", kButtonLeft}, {"right", kButtonRight}};
constexpr int kDefaultDragSteps = 10;
constexpr int kMostDragSteps = 100000;

bool Number(const std::string& word, float& value) {
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

bool Whole(const std::string& word, int first, int last, int& value) {
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && value >= first && value <= last;
}

template <class Value>
bool Named(const std::map<std::string, Value>& names, const std::string& word, Value& value) {
    const auto it = names.find(word);
    if (it == names.end()) return false;
    value = it->second;
    return true;
}

}  // namespace

bool EditScript::Read(std::istream& in) {
    commands_.clear();
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!ReadLine(line)) {
            faultLine_ = number;
            return false;
        }
    }
    return true;
}

bool EditScript::ReadLine(const std::string& line) {
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty() || w[0][0] == '#') return true;
    const auto fail = [this](std::string why) {
        fault_ = std::move(why);
        return false;
    };
    const std::size_t n = w.size() - 1;  // the command's words after its name
    const std::string& name = w[0];
    EditCommand c;
    using K = EditCommand::Kind;
    if (name == "tool" || name == "select" || name == "key") {
        c.kind = name == "tool" ? K::Tool : name == "select" ? K::Select : K::Key;
        const auto& names = name == "tool" ? kTools : name == "select" ? kSelectKinds : kKeys;
        if (n != 1 || !Named(names, w[1], c.value)) {
            std::string choices;
            for (const auto& [word, value] : names) choices += (choices.empty() ? "" : "|") + word;
            return fail(name + " takes one of " + choices);
        }
    } else if (name == "press" || name == "move" || name == "release") {
        c.kind = name == "press" ? K::Press : name == "move" ? K::Move : K::Release;
        const bool buttonGiven = name == "press" && n == 3;
        if ((n != 2 && !buttonGiven) || !Number(w[1], c.x1) || !Number(w[2], c.y1) ||
            (buttonGiven && !Named(kButtons, w[3], c.button))) {
            return fail(name == "press" ? "press takes X Y and left or right" : name + " takes X Y");
        }
    } else if (name == "drag") {
        c.kind = K::Drag;
        c.steps = kDefaultDragSteps;
        if ((n != 4 && n != 5) || !Number(w[1], c.x1) || !Number(w[2], c.y1) || !Number(w[3], c.x2) ||
            !Number(w[4], c.y2) || (n == 5 && !Whole(w[5], 1, kMostDragSteps, c.steps))) {
            return fail("drag takes X1 Y1 X2 Y2 and a number of steps from 1 to " + std::to_string(kMostDragSteps));
        }
    } else if (name == "undo" || name == "redo" || name == "select-all" || name == "delete-selected") {
        c.kind = name == "undo"         ? K::Undo
                 : name == "redo"       ? K::Redo
                 : name == "select-all" ? K::SelectAll
                                        : K::DeleteSelected;
        if (n != 0) return fail(name + " takes nothing");
    } else if (name == "select-chain" || name == "move-selection") {
        c.kind = name == "select-chain" ? K::SelectChain : K::MoveSelection;
        if (n != 2 || !Number(w[1], c.x1) || !Number(w[2], c.y1)) {
            return fail(name + (name == "select-chain" ? " takes X Y" : " takes DX DY"));
        }
    } else if (name == "select-rect") {
        c.kind = K::SelectRect;
        if (n != 4 || !Number(w[1], c.x1) || !Number(w[2], c.y1) || !Number(w[3], c.x2) || !Number(w[4], c.y2)) {
            return fail("select-rect takes X1 Y1 X2 Y2");
        }
    } else if (name == "rotate") {
        c.kind = K::Rotate;
        if (n != 0) return fail("rotate takes nothing");
    } else if (name == "grab" || name == "drop-on") {
        c.kind = name == "grab" ? K::Grab : K::DropOn;
        int index = 0;
        if (n != 1 || !Whole(w[1], 0, 32767, index)) return fail(name + " takes a grab point's number");
        c.value = static_cast<std::int16_t>(index);
    } else if (name == "align") {
        const std::string what = n >= 1 ? w[1] : "";
        int stretch = 0;
        if (what == "start" && n == 1) {
            c.kind = K::AlignStart;
        } else if (what == "end" && n == 1) {
            c.kind = K::AlignEnd;
        } else if (what == "drag" && n == 3 && Number(w[2], c.x1) && Number(w[3], c.y1)) {
            c.kind = K::AlignDrag;
        } else if (what == "stretch" && n == 2 && Whole(w[2], kStretchLowest, kStretchHighest, stretch)) {
            c.kind = K::AlignStretch;
            c.value = static_cast<std::int16_t>(stretch);
        } else {
            return fail("align takes start, end, drag DX DY or stretch PERCENT (" + std::to_string(kStretchLowest) +
                        " to " + std::to_string(kStretchHighest) + ")");
        }
    } else if (name == "change-picture") {
        c.kind = K::ChangePicture;
        const std::size_t at = line.find("change-picture") + std::string("change-picture").size();
        const std::size_t first = line.find_first_not_of(" \t", at);
        const std::size_t last = line.find_last_not_of(" \t");
        if (n == 0 || first == std::string::npos) return fail("change-picture takes a picture file");
        c.path = line.substr(first, last - first + 1);
    } else {
        return fail("unknown command \"" + name + "\"");
    }
    commands_.push_back(c);
    return true;
}

bool EditScript::Run(Workspace& ws, FileCommands& files) const {
    InputDispatch& input = ws.input;
    const float halfWidth = ws.surface.GrabHalfWidth;
    const float halfHeight = ws.surface.GrabHalfHeight;
    float x = 0, y = 0;  // where the pointer is
    using K = EditCommand::Kind;
    // A selection command chooses select mode first, as the menus do.
    const auto select = [&ws]() -> Selection& {
        ws.selection.ChooseSelectKind(SelectObjects);
        return ws.selection;
    };
    for (const EditCommand& c : commands_) {
        switch (c.kind) {
            case K::Tool: ws.modes.ChooseDrawTool(c.value); break;
            case K::Select: ws.selection.ChooseSelectKind(c.value); break;
            case K::Press:
                input.WorkspaceMouseDown(c.button, false, x = c.x1, y = c.y1, LayerPattern);
                break;
            case K::Move: input.WorkspaceMouseMove(x = c.x1, y = c.y1); break;
            case K::Release: input.WorkspaceMouseUp(x = c.x1, y = c.y1); break;
            case K::Drag:
                input.WorkspaceMouseDown(kButtonLeft, false, c.x1, c.y1, LayerPattern);
                for (int i = 1; i <= c.steps; ++i) {
                    const float f = static_cast<float>(i) / static_cast<float>(c.steps);
                    x = c.x1 + (c.x2 - c.x1) * f;
                    y = c.y1 + (c.y2 - c.y1) * f;
                    input.WorkspaceMouseMove(x, y);
                }
                input.WorkspaceMouseUp(x = c.x2, y = c.y2);
                break;
            case K::Key: input.WorkspaceKeyDown(c.value, false); break;
            case K::Rotate:
                input.WorkspaceMouseDown(kButtonRight, false, x, y, LayerPattern);
                input.WorkspaceMouseUp(x, y);
                break;
            case K::Grab:
            case K::DropOn: {
                const auto& points = ws.surface.GrabPoint;
                if (c.value >= static_cast<std::int16_t>(points.size())) break;
                x = points[static_cast<std::size_t>(c.value)].Left + halfWidth;
                y = points[static_cast<std::size_t>(c.value)].Top + halfHeight;
                if (c.kind == K::Grab) {
                    input.GrabPointPress(c.value, kButtonLeft, false, halfWidth, halfHeight);
                } else {
                    input.GrabPointDrop(c.value, halfWidth, halfHeight);
                }
                break;
            }
            case K::AlignStart:
                if (ws.modes.AppState() == AppPatternOpen) ws.AlignPatternCommand();
                break;
            case K::AlignDrag: {
                if (ws.modes.AppState() != AppAligning) break;
                // From the layer's centre, in one step: the layer follows.
                const float cx = ws.surface.Pattern.Width / 2, cy = ws.surface.Pattern.Height / 2;
                input.WorkspaceMouseDown(kButtonLeft, false, cx, cy, LayerUnder);
                input.WorkspaceMouseMove(cx + c.x1, cy + c.y1);
                input.WorkspaceMouseUp(cx + c.x1, cy + c.y1);
                break;
            }
            case K::AlignStretch:
                if (ws.modes.AppState() == AppAligning) ws.alignment.StretchBarChanged(c.value);
                break;
            case K::AlignEnd:
                if (ws.modes.AppState() == AppAligning) ws.EndAlignCommand();
                break;
            case K::SelectChain:
                select().SelectChainAt(c.x1, c.y1);
                break;
            case K::SelectRect: select().SelectInside(RectBetween({c.x1, c.y1}, {c.x2, c.y2})); break;
            case K::SelectAll: select().SelectAll(); break;
            case K::MoveSelection: {
                const EditHistory::Step step(ws.history, "Move");
                ws.selection.MoveSelection(c.x1, c.y1);
                break;
            }
            case K::DeleteSelected: {
                const EditHistory::Step step(ws.history, "Delete Selected");
                ws.selection.DeleteSelected();
                break;
            }
            case K::Undo: ws.history.Undo(); break;
            case K::Redo: ws.history.Redo(); break;
            case K::ChangePicture:
                if (ws.modes.AppState() == AppPatternOpen && !files.ChangePicture(c.path, false)) return false;
                break;
        }
    }
    return true;
}

}  // namespace tessary
