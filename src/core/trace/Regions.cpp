// Regions: the picture reduced to a few colours, its connected pieces, the
// specks merged away, and the borders between the pieces followed along the
// cracks between pixels.

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <opencv2/imgproc.hpp>
#include <queue>
#include <unordered_map>
#include <vector>

#include "core/trace/TraceSteps.h"

namespace tessary::tracing {

namespace {

// kmeans learns the colours from at most this many pixels.
constexpr int kColourSamples = 20000;
// Colours are matched to the nearest centre through a table of this many
// bits a channel: close enough that no border moves by it.
constexpr int kTableBits = 6;

// Each pixel's colour index, 0 to colours - 1.
cv::Mat ReduceColours(const cv::Mat& rgb, int colours, int detail) {
    // Less detail, more smoothing: noise and texture go before the colours
    // are chosen. At high detail none, which would round the corners.
    const double sigma = (100 - detail) / 100.0 * 2;
    // Into a matrix of its own: the picture itself is the caller's, and is
    // never written.
    cv::Mat smooth;
    if (sigma >= 0.5) {
        cv::GaussianBlur(rgb, smooth, cv::Size(0, 0), sigma);
    } else {
        smooth = rgb;
    }

    const int total = smooth.rows * smooth.cols;
    const int step = std::max(1, total / kColourSamples);
    cv::Mat samples((total + step - 1) / step, 3, CV_32F);
    for (int i = 0, row = 0; i < total && row < samples.rows; i += step, ++row) {
        const cv::Vec3b c = smooth.at<cv::Vec3b>(i / smooth.cols, i % smooth.cols);
        for (int k = 0; k < 3; ++k) samples.at<float>(row, k) = c[k];
    }
    const int k = std::min(colours, samples.rows);
    cv::Mat labels, centres;
    // The same picture gives the same trace.
    cv::theRNG().state = 0x7e55a41;
    cv::kmeans(samples, k, labels, cv::TermCriteria(cv::TermCriteria::EPS + cv::TermCriteria::COUNT, 30, 0.2), 2,
               cv::KMEANS_PP_CENTERS, centres);

    constexpr int side = 1 << kTableBits;
    constexpr int shift = 8 - kTableBits;
    std::vector<std::uint8_t> nearest(side * side * side);
    for (int r = 0; r < side; ++r) {
        for (int g = 0; g < side; ++g) {
            for (int b = 0; b < side; ++b) {
                const float c[3] = {(r << shift) + (1 << shift) / 2.0f, (g << shift) + (1 << shift) / 2.0f,
                                    (b << shift) + (1 << shift) / 2.0f};
                float best = 1e30f;
                int chosen = 0;
                for (int i = 0; i < centres.rows; ++i) {
                    float d = 0;
                    for (int ch = 0; ch < 3; ++ch) {
                        const float e = c[ch] - centres.at<float>(i, ch);
                        d += e * e;
                    }
                    if (d < best) best = d, chosen = i;
                }
                nearest[(r * side + g) * side + b] = static_cast<std::uint8_t>(chosen);
            }
        }
    }
    cv::Mat index(smooth.rows, smooth.cols, CV_8U);
    for (int y = 0; y < smooth.rows; ++y) {
        const cv::Vec3b* in = smooth.ptr<cv::Vec3b>(y);
        std::uint8_t* out = index.ptr<std::uint8_t>(y);
        for (int x = 0; x < smooth.cols; ++x) {
            out[x] = nearest[((in[x][0] >> shift) * side + (in[x][1] >> shift)) * side + (in[x][2] >> shift)];
        }
    }
    return index;
}

int Root(std::vector<int>& parent, int i) {
    while (parent[i] != i) i = parent[i] = parent[parent[i]];
    return i;
}

// The 4-connected pieces of equal colour index: a piece number a pixel,
// 0 to the returned count - 1.
int LabelPieces(const cv::Mat& index, std::vector<int>& piece) {
    const int w = index.cols, h = index.rows;
    piece.assign(static_cast<std::size_t>(w) * h, 0);
    std::vector<int> parent;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = index.ptr<std::uint8_t>(y);
        const std::uint8_t* up = y > 0 ? index.ptr<std::uint8_t>(y - 1) : nullptr;
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            const bool left = x > 0 && row[x - 1] == row[x];
            const bool above = up && up[x] == row[x];
            if (left && above) {
                const int a = Root(parent, piece[i - 1]), b = Root(parent, piece[i - w]);
                piece[i] = std::min(a, b);
                parent[std::max(a, b)] = std::min(a, b);
            } else if (left) {
                piece[i] = piece[i - 1];
            } else if (above) {
                piece[i] = piece[i - w];
            } else {
                piece[i] = static_cast<int>(parent.size());
                parent.push_back(piece[i]);
            }
        }
    }
    std::vector<int> number(parent.size(), -1);
    int count = 0;
    for (std::size_t i = 0; i < parent.size(); ++i) {
        const int r = Root(parent, static_cast<int>(i));
        if (number[r] < 0) number[r] = count++;
        number[i] = number[r];
    }
    for (int& p : piece) p = number[p];
    return count;
}

// Pieces smaller than minArea, and slivers narrower than sliver on
// average (the bands of in-between colours along a soft edge), merged into
// the neighbour they share the longest border with, the smallest first,
// until none is left (or only one piece is). Returns the number of pieces
// left; piece is renumbered.
int MergeSmallPieces(std::vector<int>& piece, int count, int w, int h, double minArea, double sliver) {
    std::vector<double> area(count, 0), perimeter(count, 0);
    for (const int p : piece) area[p] += 1;
    std::vector<std::unordered_map<int, int>> borders(count);
    const auto meet = [&](int a, int b) {
        if (a == b) return;
        ++borders[a][b];
        ++borders[b][a];
        perimeter[a] += 1;
        perimeter[b] += 1;
    };
    for (int y = 0; y < h; ++y) {
        const int* row = piece.data() + static_cast<std::size_t>(y) * w;
        for (int x = 0; x < w; ++x) {
            if (x + 1 < w) meet(row[x], row[x + 1]);
            if (y + 1 < h) meet(row[x], row[x + w]);
        }
    }
    for (int x = 0; x < w; ++x) perimeter[piece[x]] += 1, perimeter[piece[static_cast<std::size_t>(h - 1) * w + x]] += 1;
    for (int y = 0; y < h; ++y) {
        perimeter[piece[static_cast<std::size_t>(y) * w]] += 1;
        perimeter[piece[static_cast<std::size_t>(y) * w + w - 1]] += 1;
    }
    // A band w wide has about twice its length for perimeter.
    const auto mergeable = [&](int p) { return area[p] < minArea || 2 * area[p] < sliver * perimeter[p]; };
    std::vector<int> into(count);
    for (int i = 0; i < count; ++i) into[i] = i;
    using Entry = std::pair<double, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> smallest;
    for (int i = 0; i < count; ++i) {
        if (mergeable(i)) smallest.push({area[i], i});
    }
    int left = count;
    while (!smallest.empty() && left > 1) {
        const auto [a, p] = smallest.top();
        smallest.pop();
        // Merged, or grown since: a later entry stands for it.
        if (into[p] != p || a != area[p] || !mergeable(p) || borders[p].empty()) continue;
        // The longest border; of equal ones the lowest piece, so the result
        // never depends on the hash order.
        int target = -1, longest = 0;
        for (const auto& [n, length] : borders[p]) {
            if (length > longest || (length == longest && n < target)) target = n, longest = length;
        }
        const int keep = target, gone = p;
        std::unordered_map<int, int> moved = std::move(borders[gone]);
        borders[gone].clear();
        for (const auto& [n, length] : moved) {
            if (n == keep) continue;
            borders[keep][n] += length;
            auto& theirs = borders[n];
            theirs.erase(gone);
            theirs[keep] += length;
        }
        const int shared = borders[keep][gone];
        borders[keep].erase(gone);
        into[gone] = keep;
        area[keep] += area[gone];
        perimeter[keep] += perimeter[gone] - 2.0 * shared;
        --left;
        if (mergeable(keep)) smallest.push({area[keep], keep});
    }
    std::vector<int> number(count, -1);
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        int r = i;
        while (into[r] != r) r = into[r];
        if (number[r] < 0) number[r] = kept++;
        number[i] = number[r];
    }
    for (int& p : piece) p = number[p];
    return kept;
}

// The borders of the pieces on the lattice of pixel corners: the crack
// below pixel row y - 1 and above row y (horizontal) or between columns
// x - 1 and x (vertical) is a border where the pieces on its two sides
// differ; outside the picture is a piece of its own.
class Cracks {
public:
    Cracks(const std::vector<int>& piece, int w, int h)
        : piece_(piece), w_(w), h_(h), horizontalSeen_(static_cast<std::size_t>(w) * (h + 1), 0),
          verticalSeen_(static_cast<std::size_t>(w + 1) * h, 0) {}

    std::vector<TraceChain> Chains() {
        std::vector<TraceChain> chains;
        // From every fixed point along each of its borders not yet followed.
        for (int y = 0; y <= h_; ++y) {
            for (int x = 0; x <= w_; ++x) {
                if (!Fixed(x, y)) continue;
                for (int d = 0; d < 4; ++d) {
                    if (Border(x, y, d) && !Seen(x, y, d)) chains.push_back(Follow(x, y, d));
                }
            }
        }
        // What is left are closed borders that meet no other: a piece
        // inside one other piece.
        for (int y = 0; y <= h_; ++y) {
            for (int x = 0; x <= w_; ++x) {
                for (int d = 0; d < 2; ++d) {
                    if (Border(x, y, d) && !Seen(x, y, d)) chains.push_back(Follow(x, y, d));
                }
            }
        }
        return chains;
    }

private:
    // Directions from a corner: right, down, left, up.
    static constexpr std::array<int, 4> dx_{1, 0, -1, 0};
    static constexpr std::array<int, 4> dy_{0, 1, 0, -1};

    int At(int x, int y) const {
        return x < 0 || y < 0 || x >= w_ || y >= h_ ? -1 : piece_[static_cast<std::size_t>(y) * w_ + x];
    }
    // Whether the crack from corner (x, y) in direction d is a border.
    bool Border(int x, int y, int d) const {
        switch (d) {
            case 0: return x < w_ && At(x, y - 1) != At(x, y);
            case 1: return y < h_ && At(x - 1, y) != At(x, y);
            case 2: return x > 0 && At(x - 1, y - 1) != At(x - 1, y);
            default: return y > 0 && At(x - 1, y - 1) != At(x, y - 1);
        }
    }
    std::uint8_t& SeenFlag(int x, int y, int d) {
        switch (d) {
            case 0: return horizontalSeen_[static_cast<std::size_t>(y) * w_ + x];
            case 1: return verticalSeen_[static_cast<std::size_t>(y) * (w_ + 1) + x];
            case 2: return horizontalSeen_[static_cast<std::size_t>(y) * w_ + x - 1];
            default: return verticalSeen_[static_cast<std::size_t>(y - 1) * (w_ + 1) + x];
        }
    }
    bool Seen(int x, int y, int d) { return SeenFlag(x, y, d) != 0; }
    int Degree(int x, int y) const {
        int n = 0;
        for (int d = 0; d < 4; ++d) n += Border(x, y, d) ? 1 : 0;
        return n;
    }

    // Where chains end: where three or more pieces meet, and the corners
    // of the traced area, which the outline keeps sharp.
    bool Fixed(int x, int y) const { return Degree(x, y) >= 3 || ((x == 0 || x == w_) && (y == 0 || y == h_)); }

    // Along the border from (x, y) in direction d to the next junction, or
    // round to where it began: the corners at its ends and the middle of
    // every crack between, which lies closer to a slanting edge than the
    // corners of the pixels' staircase do.
    TraceChain Follow(int x, int y, int d) {
        TraceChain chain{{static_cast<double>(x), static_cast<double>(y)}};
        const int startX = x, startY = y;
        for (;;) {
            SeenFlag(x, y, d) = 1;
            chain.push_back({x + dx_[d] / 2.0, y + dy_[d] / 2.0});
            x += dx_[d];
            y += dy_[d];
            if ((x == startX && y == startY) || Fixed(x, y)) break;
            const int back = (d + 2) % 4;
            for (int next = 0; next < 4; ++next) {
                if (next != back && Border(x, y, next)) {
                    d = next;
                    break;
                }
            }
        }
        chain.push_back({static_cast<double>(x), static_cast<double>(y)});
        return chain;
    }

    const std::vector<int>& piece_;
    int w_, h_;
    std::vector<std::uint8_t> horizontalSeen_, verticalSeen_;
};

}  // namespace

Found FindRegionBorders(const cv::Mat& rgb, int colours, double minPieceArea, int detail) {
    const cv::Mat index = ReduceColours(rgb, colours, detail);
    std::vector<int> piece;
    int count = LabelPieces(index, piece);
    // Less detail, wider slivers go.
    const double sliver = 1.5 + (100 - detail) / 100.0;
    count = MergeSmallPieces(piece, count, rgb.cols, rgb.rows, minPieceArea, sliver);
    Found found;
    found.pieces = count;
    found.chains = Cracks(piece, rgb.cols, rgb.rows).Chains();
    return found;
}

}  // namespace tessary::tracing
