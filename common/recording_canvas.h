#pragma once

#include "common/canvas.h"

#include <string>
#include <vector>

namespace common {

// A canvas that records every call, for tests and for counting redraws.
class RecordingCanvas : public Canvas {
  public:
    enum class Kind { Clear, Line, Rectangle, Circle, Picture, Text };
    struct Call {
        Kind kind;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // circle: centre in x1, y1 and radius in x2
        Colour colour;
        std::shared_ptr<const RgbaImage> picture;
        std::string text; // of a Text call
    };

    RecordingCanvas(double width, double height) : width_(width), height_(height) {}

    void resize(double width, double height) {
        width_ = width;
        height_ = height;
    }
    double width() const override { return width_; }
    double height() const override { return height_; }
    void clear() override;
    void line(double x1, double y1, double x2, double y2, Colour colour) override;
    void rectangle(double x1, double y1, double x2, double y2, Colour colour) override;
    void circle(double x, double y, double radius, Colour colour) override;
    void stretchedPicture(const std::shared_ptr<const RgbaImage>& picture, double x, double y,
                          double width, double height) override;
    void text(double x, double y, const std::string& text, Colour colour) override;

    // Calls since the last clear (the last redraw), and the number of clears so far.
    std::vector<Call> calls;
    int clears = 0;

  private:
    double width_;
    double height_;
};

} // namespace common
