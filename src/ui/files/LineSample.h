#pragma once

#include <QWidget>
#include <cstdint>

namespace tessary {

// A line as the pen will draw it, across the middle of the sample: the whole
// width less a small border, or a given length from the left. Its colour is
// the palette's window text, where anyone can read it back.
class LineSample : public QWidget {
public:
    LineSample(const char* name, QSize size, int penWidth);

    void SetColour(std::uint32_t rgb);
    void SetPenWidth(int width);
    // 0: the whole width.
    void SetLength(int pixels);
    int PenWidth() const { return penWidth_; }
    int Length() const { return length_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int penWidth_;
    int length_ = 0;
};

}  // namespace tessary
