#pragma once
// Drawing simple shapes into an Image with anti-aliased edges. Each shape is a signed distance
// (negative inside) sampled at pixel centres, so edges get about one pixel of smooth coverage.
// Paints are solid colours or linear and radial gradients; drawing composites source-over.

#include "Image.h"

#include <vector>

namespace qn {
namespace tools {

/// A colour with components 0..1 (straight alpha).
struct Color {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 1;
};

/// What a shape is filled or outlined with.
struct Paint {
    enum Kind { None, Solid, Linear, Radial };
    Kind kind = None;
    Color c0;
    Color c1;
    double x0 = 0, y0 = 0; ///< gradient start (linear), or centre (radial)
    double x1 = 0, y1 = 0; ///< gradient end (linear); x1 is the radius for radial

    static Paint solid(Color c);
    static Paint linear(double x0, double y0, Color c0, double x1, double y1, Color c1);
    static Paint radial(double cx, double cy, double radius, Color inner, Color outer);
    /// The paint's colour at point (x, y).
    Color at(double x, double y) const;
};

/// A point in pixel coordinates (origin top-left, y down).
struct Vec2 {
    double x = 0;
    double y = 0;
};

/// The style shapes are drawn with.
struct Style {
    Paint fill;
    Paint stroke;
    double strokeWidth = 1;
};

/// Draws shapes into an image it refers to (the caller keeps the image alive).
class Canvas {
public:
    explicit Canvas(Image& target) : m_target(target) {}

    Style style;

    void rect(double x, double y, double w, double h);
    void roundRect(double x, double y, double w, double h, double radius);
    void ellipse(double cx, double cy, double rx, double ry);
    void circle(double cx, double cy, double r) { ellipse(cx, cy, r, r); }
    /// A closed polygon (even-odd rule); fewer than 3 points draws nothing.
    void polygon(const std::vector<Vec2>& points);
    /// A straight line of the stroke's width with round ends (stroke paint only).
    void line(double x0, double y0, double x1, double y1);
    /// Fills the whole image with `paint`, replacing what is there.
    void clear(const Paint& paint);

private:
    template <typename Distance>
    void drawShape(double left, double top, double right, double bottom, const Distance& distance);
    void blend(int x, int y, const Color& c, double coverage);

    Image& m_target;
};

/// Parses "#RGB", "#RGBA", "#RRGGBB" or "#RRGGBBAA" (the # is optional); false when it is not a colour.
bool parseColor(const char* text, Color& out);

} // namespace tools
} // namespace qn
