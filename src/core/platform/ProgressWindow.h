#pragma once

#include <string>

namespace tessary {

// The small progress window. The progress module decides what it shows; the
// window only displays it and reports a Cancel press.
class ProgressWindow {
public:
    virtual ~ProgressWindow() = default;
    // Shows the window (if hidden) with a header, a bar range and whether the
    // Cancel button is offered; clears the cancelled state.
    virtual void Open(const std::string& header, int minimum, int maximum, bool allowCancel) = 0;
    virtual void SetValue(int value) = 0;
    // Lets pending events run: repaints and the Cancel click.
    virtual void PumpEvents() = 0;
    virtual bool Cancelled() const = 0;
    virtual void Close() = 0;
};

// For batch runs: shows nothing and is never cancelled.
class SilentProgressWindow : public ProgressWindow {
public:
    void Open(const std::string&, int, int, bool) override {}
    void SetValue(int) override {}
    void PumpEvents() override {}
    bool Cancelled() const override { return false; }
    void Close() override {}
};

}  // namespace tessary
