#include "common/recording_canvas.h"

namespace common {

void RecordingCanvas::clear() {
    calls.clear();
    calls.push_back({Kind::Clear, 0, 0, 0, 0, {}, {}, {}});
    ++clears;
}

void RecordingCanvas::line(double x1, double y1, double x2, double y2, Colour colour) {
    calls.push_back({Kind::Line, x1, y1, x2, y2, colour, {}, {}});
}

void RecordingCanvas::rectangle(double x1, double y1, double x2, double y2, Colour colour) {
    calls.push_back({Kind::Rectangle, x1, y1, x2, y2, colour, {}, {}});
}

void RecordingCanvas::circle(double x, double y, double radius, Colour colour) {
    calls.push_back({Kind::Circle, x, y, radius, 0, colour, {}, {}});
}

void RecordingCanvas::stretchedPicture(const std::shared_ptr<const RgbaImage>& picture, double x,
                                       double y, double width, double height) {
    calls.push_back({Kind::Picture, x, y, width, height, {}, picture, {}});
}

void RecordingCanvas::text(double x, double y, const std::string& text, Colour colour) {
    calls.push_back({Kind::Text, x, y, 0, 0, colour, {}, text});
}

} // namespace common
