#pragma once

#include "common/rgba_image.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace common {

// A point in the surface's units, and a line between two of a list of points.
struct CanvasPoint {
    double x = 0;
    double y = 0;
};
struct CanvasEdge {
    int from = 0;
    int to = 0;
};

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour&) const = default;
};

// A drawing surface. Coordinates are in the surface's own units (the editor's views work in
// twips, the texture view in pixels) and may be fractional; the origin is the top-left corner,
// Y grows downwards. Rectangles and circles are outlines, one pixel wide.
class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual double width() const = 0;
    virtual double height() const = 0;
    virtual void clear() = 0;
    virtual void line(double x1, double y1, double x2, double y2, Colour colour) = 0;
    // A line() for each edge, in order, between points that the edges name by index (every
    // index must lie in points). A mesh shares each point among several edges, so a surface
    // may convert each point once instead of once per line.
    virtual void edges(std::span<const CanvasPoint> points, std::span<const CanvasEdge> edges,
                       Colour colour) {
        for (const auto& edge : edges) {
            const auto& from = points[static_cast<std::size_t>(edge.from)];
            const auto& to = points[static_cast<std::size_t>(edge.to)];
            line(from.x, from.y, to.x, to.y, colour);
        }
    }
    virtual void rectangle(double x1, double y1, double x2, double y2, Colour colour) = 0;
    virtual void circle(double x, double y, double radius, Colour colour) = 0;
    // Paints a picture held in memory stretched into the rectangle. The same picture object
    // comes back at every redraw, so a surface may keep a converted copy of it.
    virtual void stretchedPicture(const std::shared_ptr<const RgbaImage>& picture, double x,
                                  double y, double width, double height) = 0;
    // A short text in the surface's small font, its top-left corner at (x, y).
    virtual void text(double x, double y, const std::string& text, Colour colour) = 0;
    // The redraw is complete: a surface that batches its output draws what it holds.
    virtual void finish() {}
};

} // namespace common
