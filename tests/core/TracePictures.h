#pragma once

// Synthetic pictures whose true outlines are known, for the tracer's tests.

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "core/platform/RgbImage.h"
#include "core/trace/Trace.h"

namespace tessary::test {

using Colour3 = std::array<std::uint8_t, 3>;

// A shape in flat colour: inside or not at a point, and its true outline
// as a closed chain.
struct Shape {
    std::function<bool(double, double)> inside;
    TraceChain outline;
    Colour3 colour;
};

// Points along a segment every quarter of a pixel, its ends included.
inline std::vector<TracePoint> SampleSegment(TracePoint a, TracePoint b) {
    std::vector<TracePoint> points;
    const int n = std::max(1, static_cast<int>(std::hypot(b.x - a.x, b.y - a.y) * 4));
    for (int k = 0; k <= n; ++k) {
        const double t = static_cast<double>(k) / n;
        points.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
    }
    return points;
}

inline Shape Polygon(std::vector<TracePoint> corners, Colour3 colour) {
    Shape s;
    s.outline = corners;
    s.outline.push_back(corners.front());
    s.inside = [corners](double x, double y) {
        bool in = false;
        for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            const TracePoint& a = corners[i];
            const TracePoint& b = corners[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
        }
        return in;
    };
    s.colour = colour;
    return s;
}

inline Shape Circle(double cx, double cy, double r, Colour3 colour) {
    Shape s;
    const int n = static_cast<int>(2 * M_PI * r);
    for (int k = 0; k <= n; ++k) {
        const double a = 2 * M_PI * k / n;
        s.outline.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    s.inside = [=](double x, double y) { return std::hypot(x - cx, y - cy) < r; };
    s.colour = colour;
    return s;
}

// Shapes drawn in order over a background, each pixel by its centre.
inline RgbImage Draw(int w, int h, Colour3 background, const std::vector<Shape>& shapes) {
    RgbImage image{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 3)};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Colour3 c = background;
            for (const Shape& s : shapes) {
                if (s.inside(x + 0.5, y + 0.5)) c = s.colour;
            }
            std::copy(c.begin(), c.end(), image.rgb.begin() + (static_cast<std::size_t>(y) * w + x) * 3);
        }
    }
    return image;
}

// A box blur of the given radius, twice: near enough a Gaussian.
inline void Blur(RgbImage& image, int radius) {
    for (int pass = 0; pass < 2; ++pass) {
        const RgbImage source = image;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                for (int ch = 0; ch < 3; ++ch) {
                    int sum = 0, n = 0;
                    for (int dy = -radius; dy <= radius; ++dy) {
                        for (int dx = -radius; dx <= radius; ++dx) {
                            const int sx = std::clamp(x + dx, 0, image.width - 1);
                            const int sy = std::clamp(y + dy, 0, image.height - 1);
                            sum += source.rgb[(static_cast<std::size_t>(sy) * image.width + sx) * 3 + ch];
                            ++n;
                        }
                    }
                    image.rgb[(static_cast<std::size_t>(y) * image.width + x) * 3 + ch] =
                        static_cast<std::uint8_t>((sum + n / 2) / n);
                }
            }
        }
    }
}

inline void AddNoise(RgbImage& image, double sigma, unsigned seed = 7) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0, sigma);
    for (auto& v : image.rgb) v = static_cast<std::uint8_t>(std::clamp(v + noise(random), 0.0, 255.0));
}

}  // namespace tessary::test
