#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace tessary {

class FileCommands;
class Workspace;

// One line of an editing script: the user's hand on the work window,
// written down. Coordinates are pattern-layer twips.
struct EditCommand {
    enum class Kind {
        Tool, Select, Press, Move, Release, Drag, Key, Rotate, Grab, DropOn,
        AlignStart, AlignDrag, AlignStretch, AlignEnd, ChangePicture, Undo, Redo,
        SelectChain, SelectRect, SelectAll, MoveSelection, DeleteSelected,
    };
    Kind kind = Kind::Move;
    std::int16_t value = 0;  // the tool, select kind, key code, grab point or stretch
    int button = 1;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int steps = 0;
    std::string path;  // the new picture
};

// An editing script read whole before any of it runs, so that a malformed
// line stops everything: one command a line, blank lines and lines starting
// with "#" skipped.
//   tool trace|line|arc|circle|rectangle|square|sharp|smooth|push|erase
//   select objects|ends
//   press X Y [left|right]   move X Y   release X Y
//   drag X1 Y1 X2 Y2 [STEPS]   (a press, STEPS moves, the release)
//   key delete|escape   rotate (a right press where the pointer is)
//   grab K   drop-on K       (grab point K, at its centre)
//   align start|end   align drag DX DY   align stretch PERCENT
//   change-picture FILE      (the rest of the line names the picture)
//   undo   redo   select-chain X Y   select-rect X1 Y1 X2 Y2   select-all
//   move-selection DX DY   delete-selected
class EditScript {
public:
    // False with the first faulty line's number and what is wrong with it.
    bool Read(std::istream& in);
    int FaultLine() const { return faultLine_; }
    const std::string& Fault() const { return fault_; }

    // Runs the commands through the work window's own dispatch and the
    // menus' commands. The alignment's steps act only while aligning, as
    // their controls are there only then. False as soon as a new picture
    // cannot be had: the rest is not run.
    bool Run(Workspace& ws, FileCommands& files) const;

private:
    bool ReadLine(const std::string& line);

    std::vector<EditCommand> commands_;
    int faultLine_ = 0;
    std::string fault_;
};

}  // namespace tessary
