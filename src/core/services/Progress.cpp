#include "core/services/Progress.h"

#include "core/platform/ProgressWindow.h"

namespace tessary {

namespace {

// Counts the window's calls under way: any of them may let events run.
class InWindow {
public:
    explicit InWindow(int& depth) : depth_(depth) { ++depth_; }
    ~InWindow() { --depth_; }
    InWindow(const InWindow&) = delete;
    InWindow& operator=(const InWindow&) = delete;

private:
    int& depth_;
};

}  // namespace

void Progress::ProgressStart(int start, int total, const std::string& caption, bool allowCancel) {
    if (!display_) return;
    int last = total;
    if (last <= start) last = start + 1;
    start_ = start;
    total_ = last;
    value_ = start;
    const InWindow pumping(pumping_);
    window_.Open(caption, start_, total_, allowCancel);
    window_.SetValue(value_);
    window_.PumpEvents();
}

bool Progress::ProgressStep(int n) {
    if (!display_) return false;
    const int v = value_ + n;
    if (v <= start_) {
        value_ = start_;
    } else if (v <= total_) {
        value_ = v;
    } else {
        value_ = total_;
    }
    const InWindow pumping(pumping_);
    window_.SetValue(value_);
    window_.PumpEvents();
    return !window_.Cancelled();
}

void Progress::ProgressEnd() {
    window_.Close();
}

}  // namespace tessary
