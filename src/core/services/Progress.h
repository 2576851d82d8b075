#pragma once

#include <string>

namespace tessary {

class ProgressWindow;

// The progress module: long passes report through it, and it shows the
// progress window only while the progress display is on (a pattern is open).
class Progress {
public:
    explicit Progress(ProgressWindow& window) : window_(window) {}

    void SetDisplay(bool on) { display_ = on; }
    bool Display() const { return display_; }

    // Counts are plain ints: clearing a full pattern needs totals beyond 16 bits.
    void ProgressStart(int start, int total, const std::string& caption, bool allowCancel);
    // Advances the bar by n, kept within its range; false once Cancel was
    // pressed, and always false while the display is off.
    bool ProgressStep(int n);
    void ProgressEnd();

    // True while the window lets pending events run in the middle of a
    // pass, when the pattern may be half changed.
    bool Pumping() const { return pumping_ > 0; }

    int Value() const { return value_; }
    int Minimum() const { return start_; }
    int Maximum() const { return total_; }

private:
    ProgressWindow& window_;
    bool display_ = false;
    int pumping_ = 0;
    int start_ = 0;
    int total_ = 1;
    int value_ = 0;
};

}  // namespace tessary
