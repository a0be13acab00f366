#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qn {
namespace tools {

namespace {

double clamp01(double v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

Color mix(const Color& a, const Color& b, double t) {
    return Color{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

double segmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    double dx = bx - ax, dy = by - ay;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? clamp01(((px - ax) * dx + (py - ay) * dy) / len2) : 0;
    double ex = px - (ax + t * dx), ey = py - (ay + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

Paint Paint::solid(Color c) {
    Paint p;
    p.kind = Solid;
    p.c0 = c;
    return p;
}

Paint Paint::linear(double x0, double y0, Color c0, double x1, double y1, Color c1) {
    Paint p;
    p.kind = Linear;
    p.x0 = x0, p.y0 = y0, p.x1 = x1, p.y1 = y1, p.c0 = c0, p.c1 = c1;
    return p;
}

Paint Paint::radial(double cx, double cy, double radius, Color inner, Color outer) {
    Paint p;
    p.kind = Radial;
    p.x0 = cx, p.y0 = cy, p.x1 = radius, p.c0 = inner, p.c1 = outer;
    return p;
}

Color Paint::at(double x, double y) const {
    switch (kind) {
    case Solid:
        return c0;
    case Linear: {
        double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? clamp01(((x - x0) * dx + (y - y0) * dy) / len2) : 0;
        return mix(c0, c1, t);
    }
    case Radial: {
        double d = std::sqrt((x - x0) * (x - x0) + (y - y0) * (y - y0));
        return mix(c0, c1, x1 > 0 ? clamp01(d / x1) : 1);
    }
    case None:
        break;
    }
    return Color{0, 0, 0, 0};
}

void Canvas::blend(int x, int y, const Color& c, double coverage) {
    double sa = clamp01(c.a) * clamp01(coverage);
    if (sa <= 0) return;
    uint8_t* px = m_target.at(x, y);
    double da = px[3] / 255.0;
    double oa = sa + da * (1 - sa);
    double rgb[3] = {clamp01(c.r), clamp01(c.g), clamp01(c.b)};
    for (int i = 0; i < 3; ++i) {
        double dc = px[i] / 255.0;
        double oc = oa > 0 ? (rgb[i] * sa + dc * da * (1 - sa)) / oa : 0;
        px[i] = static_cast<uint8_t>(std::lround(clamp01(oc) * 255));
    }
    px[3] = static_cast<uint8_t>(std::lround(clamp01(oa) * 255));
}

template <typename Distance>
void Canvas::drawShape(double left, double top, double right, double bottom, const Distance& distance) {
    double halfStroke = style.stroke.kind == Paint::None ? 0 : std::max(style.strokeWidth, 0.0) / 2;
    double grow = halfStroke + 1;
    int x0 = std::max(0, static_cast<int>(std::floor(left - grow)));
    int y0 = std::max(0, static_cast<int>(std::floor(top - grow)));
    int x1 = std::min(m_target.width, static_cast<int>(std::ceil(right + grow)) + 1);
    int y1 = std::min(m_target.height, static_cast<int>(std::ceil(bottom + grow)) + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            double px = x + 0.5, py = y + 0.5;
            double d = distance(px, py);
            if (style.fill.kind != Paint::None) blend(x, y, style.fill.at(px, py), 0.5 - d);
            if (halfStroke > 0) blend(x, y, style.stroke.at(px, py), 0.5 + halfStroke - std::fabs(d));
        }
    }
}

void Canvas::rect(double x, double y, double w, double h) {
    roundRect(x, y, w, h, 0);
}

void Canvas::roundRect(double x, double y, double w, double h, double radius) {
    if (w <= 0 || h <= 0) return;
    double r = std::clamp(radius, 0.0, std::min(w, h) / 2);
    double cx = x + w / 2, cy = y + h / 2, hx = w / 2 - r, hy = h / 2 - r;
    drawShape(x, y, x + w, y + h, [&](double px, double py) {
        double qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
        double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
        return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - r;
    });
}

void Canvas::ellipse(double cx, double cy, double rx, double ry) {
    if (rx <= 0 || ry <= 0) return;
    drawShape(cx - rx, cy - ry, cx + rx, cy + ry, [&](double px, double py) {
        double dx = px - cx, dy = py - cy;
        if (rx == ry) return std::sqrt(dx * dx + dy * dy) - rx;
        // First-order distance to the ellipse: f / |grad f|.
        double f = (dx * dx) / (rx * rx) + (dy * dy) / (ry * ry) - 1;
        double gx = 2 * dx / (rx * rx), gy = 2 * dy / (ry * ry);
        double g = std::sqrt(gx * gx + gy * gy);
        return g > 1e-9 ? f / g : -std::min(rx, ry);
    });
}

void Canvas::polygon(const std::vector<Vec2>& points) {
    if (points.size() < 3) return;
    double left = points[0].x, right = left, top = points[0].y, bottom = top;
    for (const Vec2& p : points) {
        left = std::min(left, p.x), right = std::max(right, p.x);
        top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    }
    drawShape(left, top, right, bottom, [&](double px, double py) {
        double d = 1e300;
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Vec2& a = points[i];
            const Vec2& b = points[j];
            d = std::min(d, segmentDistance(px, py, a.x, a.y, b.x, b.y));
            if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x)
                inside = !inside;
        }
        return inside ? -d : d;
    });
}

void Canvas::line(double x0, double y0, double x1, double y1) {
    if (style.stroke.kind == Paint::None) return;
    Style saved = style;
    // A line is a filled capsule of the stroke's width.
    style.fill = style.stroke;
    style.stroke = Paint();
    double half = std::max(saved.strokeWidth, 0.0) / 2;
    drawShape(std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half,
              std::max(y0, y1) + half,
              [&](double px, double py) { return segmentDistance(px, py, x0, y0, x1, y1) - half; });
    style = saved;
}

void Canvas::clear(const Paint& paint) {
    for (int y = 0; y < m_target.height; ++y) {
        for (int x = 0; x < m_target.width; ++x) {
            Color c = paint.at(x + 0.5, y + 0.5);
            uint8_t* px = m_target.at(x, y);
            px[0] = static_cast<uint8_t>(std::lround(clamp01(c.r) * 255));
            px[1] = static_cast<uint8_t>(std::lround(clamp01(c.g) * 255));
            px[2] = static_cast<uint8_t>(std::lround(clamp01(c.b) * 255));
            px[3] = static_cast<uint8_t>(std::lround(clamp01(c.a) * 255));
        }
    }
}

bool parseColor(const char* text, Color& out) {
    if (!text) return false;
    if (*text == '#') ++text;
    size_t n = std::strlen(text);
    int digits[8];
    for (size_t i = 0; i < n && i < 8; ++i) {
        digits[i] = hexDigit(text[i]);
        if (digits[i] < 0) return false;
    }
    auto byte = [&](int i) { return (digits[i] * 16 + digits[i + 1]) / 255.0; };
    if (n == 3) {
        out = Color{digits[0] * 17 / 255.0, digits[1] * 17 / 255.0, digits[2] * 17 / 255.0, 1};
    } else if (n == 4) {
        out = Color{digits[0] * 17 / 255.0, digits[1] * 17 / 255.0, digits[2] * 17 / 255.0,
                    digits[3] * 17 / 255.0};
    } else if (n == 6) {
        out = Color{byte(0), byte(2), byte(4), 1};
    } else if (n == 8) {
        out = Color{byte(0), byte(2), byte(4), byte(6)};
    } else {
        return false;
    }
    return true;
}

} // namespace tools
} // namespace qn
