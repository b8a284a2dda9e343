#include "common/qt/QtCanvas.h"

#include "common/pixel_rounding.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>

#include <cmath>

namespace common {

namespace {

QColor toQColor(Colour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

// Whole pixels that fit the packed keys used to drop repeated shapes.
bool fitsKey(double value) {
    return value > -32000 && value < 32000;
}

// The nearest whole pixel, halves away from zero; every caller has checked the range first.
int roundedPixel(double value) {
    return nearestPixel(value);
}

} // namespace

bool PixelShapeSet::insert(std::uint64_t key) {
    if (key == 0) {
        const bool fresh = !hasZero_;
        hasZero_ = true;
        return fresh;
    }
    if ((count_ + 1) * 2 > slots_.size())
        grow();
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = (key * 0x9E3779B97F4A7C15ull) >> 20 & mask;; i = (i + 1) & mask) {
        if (slots_[i] == key)
            return false;
        if (slots_[i] == 0) {
            slots_[i] = key;
            ++count_;
            return true;
        }
    }
}

void PixelShapeSet::clear() {
    if (count_ > 0)
        std::fill(slots_.begin(), slots_.end(), 0);
    count_ = 0;
    hasZero_ = false;
}

void PixelShapeSet::grow() {
    std::vector<std::uint64_t> old(std::max<std::size_t>(1024, slots_.size() * 2), 0);
    old.swap(slots_);
    count_ = 0;
    for (auto key : old)
        if (key != 0)
            insert(key);
}

namespace {

std::uint64_t packKey(int a, int b, int c, int d) {
    auto part = [](int v) { return static_cast<std::uint64_t>(static_cast<std::uint16_t>(v)); };
    return part(a) << 48 | part(b) << 32 | part(c) << 16 | part(d);
}

} // namespace

// Writes one-pixel lines and rectangle outlines straight into a 32-bit image: the views draw
// tens of thousands of tiny shapes per redraw, far more than QPainter's per-shape cost allows.
class PixelWriter {
  public:
    explicit PixelWriter(QImage& image)
        : bits_(const_cast<uchar*>(image.constBits())), stride_(image.bytesPerLine()),
          width_(image.width()), height_(image.height()), scale_(image.devicePixelRatio()) {}

    void setColour(Colour colour) { colour_ = qRgb(colour.red, colour.green, colour.blue); }

    void line(const QLine& line) {
        // Both ends inside an unscaled image, as nearly every edge of a mesh in view: no clip
        // and no test per pixel, since the pixels between them lie inside too.
        if (scale_ == 1.0 && inside(line.x1(), line.y1()) && inside(line.x2(), line.y2())) {
            bresenham(line.x1(), line.y1(), line.x2(), line.y2(),
                      [this](int x, int y) { row(y)[x] = colour_; });
            return;
        }
        double x1 = line.x1() * scale_, y1 = line.y1() * scale_;
        double x2 = line.x2() * scale_, y2 = line.y2() * scale_;
        if (!clip(x1, y1, x2, y2))
            return;
        bresenham(roundedPixel(x1), roundedPixel(y1), roundedPixel(x2), roundedPixel(y2),
                  [this](int x, int y) { put(x, y); });
    }

    void rectangle(const QRect& rect) {
        const int left = roundedPixel(rect.left() * scale_);
        const int top = roundedPixel(rect.top() * scale_);
        const int right = roundedPixel((rect.left() + rect.width()) * scale_);
        const int bottom = roundedPixel((rect.top() + rect.height()) * scale_);
        if (left >= 0 && top >= 0 && right < width_ && bottom < height_ && left <= right &&
            top <= bottom) {
            // Wholly inside, as nearly every vertex's box is: no test per pixel.
            QRgb* const topRow = row(top);
            QRgb* const bottomRow = row(bottom);
            std::fill(topRow + left, topRow + right + 1, colour_);
            std::fill(bottomRow + left, bottomRow + right + 1, colour_);
            for (int y = top + 1; y < bottom; ++y) {
                QRgb* const line = row(y);
                line[left] = colour_;
                line[right] = colour_;
            }
            return;
        }
        for (int x = std::max(left, 0); x <= std::min(right, width_ - 1); ++x) {
            put(x, top);
            put(x, bottom);
        }
        for (int y = std::max(top, 0); y <= std::min(bottom, height_ - 1); ++y) {
            put(left, y);
            put(right, y);
        }
    }

  private:
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    template <typename Plot> static void bresenham(int ax, int ay, int bx, int by, Plot plot) {
        const int dx = std::abs(bx - ax), dy = -std::abs(by - ay);
        const int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
        int error = dx + dy;
        for (;;) {
            plot(ax, ay);
            if (ax == bx && ay == by)
                return;
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                ax += sx;
            }
            if (twice <= dx) {
                error += dx;
                ay += sy;
            }
        }
    }

    QRgb* row(int y) const {
        return reinterpret_cast<QRgb*>(bits_ + static_cast<std::ptrdiff_t>(y) * stride_);
    }

    void put(int x, int y) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            reinterpret_cast<QRgb*>(bits_ + static_cast<std::ptrdiff_t>(y) * stride_)[x] = colour_;
    }

    // Cuts the line to the image (Liang-Barsky); false when nothing of it is inside.
    bool clip(double& x1, double& y1, double& x2, double& y2) const {
        const double dx = x2 - x1, dy = y2 - y1;
        double t0 = 0, t1 = 1;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {x1, width_ - 1 - x1, y1, height_ - 1 - y1};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0)
                    return false;
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
            if (t0 > t1)
                return false;
        }
        x2 = x1 + t1 * dx;
        y2 = y1 + t1 * dy;
        x1 = x1 + t0 * dx;
        y1 = y1 + t0 * dy;
        return true;
    }

    uchar* bits_;
    qsizetype stride_;
    int width_;
    int height_;
    double scale_;
    QRgb colour_ = 0;
};

QtCanvas::QtCanvas(QPainter& painter, int pixelWidth, int pixelHeight, double unitsPerPixel,
                   QColor background)
    : painter_(painter), pixelWidth_(pixelWidth), pixelHeight_(pixelHeight),
      unitsPerPixel_(unitsPerPixel), background_(background) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBrush(Qt::NoBrush);
    if (QImage* image = directTarget())
        direct_ = std::make_unique<PixelWriter>(*image);
}

QtCanvas::~QtCanvas() {
    finish();
}

void QtCanvas::finish() {
    if (pending_ == Pending::None)
        return;
    directRun_ = Pending::None; // the painter draws over what the direct run drew
    painter_.setPen(QPen(toQColor(pendingColour_), 0));
    painter_.setBrush(Qt::NoBrush);
    if (pending_ == Pending::Lines) {
        painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
        painter_.drawLines(farLines_.data(), static_cast<int>(farLines_.size()));
    } else {
        painter_.drawRects(rectangles_.data(), static_cast<int>(rectangles_.size()));
    }
    lines_.clear();
    farLines_.clear();
    rectangles_.clear();
    drawn_.clear();
    pending_ = Pending::None;
}

QImage* QtCanvas::directTarget() const {
    if (painter_.paintEngine() == nullptr ||
        painter_.paintEngine()->type() != QPaintEngine::Raster ||
        !painter_.worldTransform().isIdentity() || painter_.hasClipping())
        return nullptr;
    auto* image = dynamic_cast<QImage*>(painter_.device());
    if (image == nullptr ||
        (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32 &&
         image->format() != QImage::Format_ARGB32_Premultiplied))
        return nullptr;
    return image;
}

void QtCanvas::pend(Pending kind, Colour colour) {
    if (pending_ != kind || !(pendingColour_ == colour))
        finish();
    pending_ = kind;
    pendingColour_ = colour;
}

void QtCanvas::clear() {
    directRun_ = Pending::None;
    lines_.clear();
    farLines_.clear();
    rectangles_.clear();
    drawn_.clear();
    pending_ = Pending::None;
    painter_.fillRect(0, 0, pixelWidth_, pixelHeight_, background_);
}

bool QtCanvas::beyondAnEdge(double x1, double y1, double x2, double y2) const {
    const double w = pixelWidth_ * unitsPerPixel_, h = pixelHeight_ * unitsPerPixel_;
    return (x1 < 0 && x2 < 0) || (y1 < 0 && y2 < 0) || (x1 > w && x2 > w) || (y1 > h && y2 > h);
}

void QtCanvas::directLine(QLine line, Colour colour) {
    finish();
    // A long line that this run of one colour already drew is skipped: dense meshes and
    // texture maps repeat many long edges. The record starts again with every change of
    // colour or shape, so what lies on top stays on top.
    if (directRun_ != Pending::Lines || !(directColour_ == colour)) {
        drawnDirect_.clear();
        directRun_ = Pending::Lines;
        directColour_ = colour;
    }
    if (std::abs(line.dx()) + std::abs(line.dy()) > 8) {
        if (line.x1() > line.x2() || (line.x1() == line.x2() && line.y1() > line.y2()))
            line = QLine(line.p2(), line.p1());
        if (!drawnDirect_.insert(packKey(line.x1(), line.y1(), line.x2(), line.y2())))
            return;
    }
    direct_->setColour(colour);
    direct_->line(line);
}

void QtCanvas::edges(std::span<const CanvasPoint> points, std::span<const CanvasEdge> edges,
                     Colour colour) {
    if (!direct_) {
        Canvas::edges(points, edges, colour);
        return;
    }
    // Each point in whole pixels once; every edge then draws exactly as line() would.
    pixelPoints_.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double a = px(points[i].x), b = px(points[i].y);
        auto& pixel = pixelPoints_[i];
        pixel.direct = fitsKey(a) && fitsKey(b);
        if (pixel.direct) {
            pixel.x = roundedPixel(a);
            pixel.y = roundedPixel(b);
        }
    }
    for (const auto& edge : edges) {
        const auto from = static_cast<std::size_t>(edge.from);
        const auto to = static_cast<std::size_t>(edge.to);
        const auto& p = points[from];
        const auto& q = points[to];
        if (beyondAnEdge(p.x, p.y, q.x, q.y))
            continue;
        const auto& a = pixelPoints_[from];
        const auto& b = pixelPoints_[to];
        if (a.direct && b.direct)
            directLine(QLine(a.x, a.y, b.x, b.y), colour);
        else
            line(p.x, p.y, q.x, q.y, colour);
    }
}

void QtCanvas::line(double x1, double y1, double x2, double y2, Colour colour) {
    if (beyondAnEdge(x1, y1, x2, y2))
        return;
    const double a = px(x1), b = px(y1), c = px(x2), d = px(y2);
    if (direct_ && fitsKey(a) && fitsKey(b) && fitsKey(c) && fitsKey(d)) {
        directLine(QLine(roundedPixel(a), roundedPixel(b), roundedPixel(c), roundedPixel(d)),
                   colour);
        return;
    }
    pend(Pending::Lines, colour);
    if (!fitsKey(a) || !fitsKey(b) || !fitsKey(c) || !fitsKey(d)) {
        farLines_.emplace_back(a, b, c, d);
        return;
    }
    // In whole pixels; a line that the run already drew in this colour adds nothing (the edges
    // of a dense mesh often fall on the same pixels, and shared edges come twice).
    QLine line(roundedPixel(a), roundedPixel(b), roundedPixel(c), roundedPixel(d));
    if (line.x1() > line.x2() || (line.x1() == line.x2() && line.y1() > line.y2()))
        line = QLine(line.p2(), line.p1());
    if (drawn_.insert(packKey(line.x1(), line.y1(), line.x2(), line.y2())))
        lines_.push_back(line);
}

void QtCanvas::rectangle(double x1, double y1, double x2, double y2, Colour colour) {
    const QRectF exact = QRectF(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2))).normalized();
    if (!fitsKey(exact.left()) || !fitsKey(exact.top()) || !fitsKey(exact.right()) ||
        !fitsKey(exact.bottom())) {
        finish();
        painter_.setPen(QPen(toQColor(colour), 0));
        painter_.drawRect(exact);
        return;
    }
    const int left = roundedPixel(exact.left());
    const int top = roundedPixel(exact.top());
    const int width = roundedPixel(exact.right()) - left;
    const int height = roundedPixel(exact.bottom()) - top;
    if (direct_) {
        finish();
        directRun_ = Pending::Rectangles;
        direct_->setColour(colour);
        direct_->rectangle(QRect(left, top, width, height));
        return;
    }
    pend(Pending::Rectangles, colour);
    if (drawn_.insert(packKey(left, top, width, height)))
        rectangles_.emplace_back(left, top, width, height);
}

void QtCanvas::circle(double x, double y, double radius, Colour colour) {
    finish();
    directRun_ = Pending::None;
    painter_.setPen(QPen(toQColor(colour), 0));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(QPointF(px(x), px(y)), px(radius), px(radius));
}

void QtCanvas::stretchedPicture(const std::shared_ptr<const RgbaImage>& picture, double x, double y,
                                double width, double height) {
    finish();
    directRun_ = Pending::None;
    if (!picture || picture->empty())
        return;
    if (convertedFrom_.lock() != picture) {
        const QImage shared(picture->pixels.data(), picture->width, picture->height,
                            picture->width * 4, QImage::Format_RGBA8888);
        converted_ = shared.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        convertedFrom_ = picture;
    }
    // The picture's pixels are copied, as a picture box shows a picture: what lies beneath does
    // not show through its transparent parts.
    const auto mode = painter_.compositionMode();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.drawImage(QRectF(px(x), px(y), px(width), px(height)), converted_,
                       QRectF(converted_.rect()));
    painter_.setCompositionMode(mode);
}

void QtCanvas::text(double x, double y, const std::string& text, Colour colour) {
    finish();
    directRun_ = Pending::None;
    painter_.setPen(toQColor(colour));
    const QFontMetrics metrics(painter_.font());
    painter_.drawText(QPointF(px(x), px(y) + metrics.ascent()), QString::fromStdString(text));
}

ImageCanvas::ImageCanvas(int pixelWidth, int pixelHeight, double unitsPerPixel, QColor background)
    : image_(pixelWidth, pixelHeight, QImage::Format_RGB32), painter_(new QPainter(&image_)),
      canvas_(new QtCanvas(*painter_, pixelWidth, pixelHeight, unitsPerPixel, background)) {}

ImageCanvas::~ImageCanvas() {
    delete canvas_;
    painter_->end();
    delete painter_;
}

double ImageCanvas::width() const {
    return canvas_->width();
}
double ImageCanvas::height() const {
    return canvas_->height();
}
void ImageCanvas::clear() {
    canvas_->clear();
}
void ImageCanvas::line(double x1, double y1, double x2, double y2, Colour colour) {
    canvas_->line(x1, y1, x2, y2, colour);
}

void ImageCanvas::edges(std::span<const CanvasPoint> points, std::span<const CanvasEdge> edges,
                        Colour colour) {
    canvas_->edges(points, edges, colour);
}
void ImageCanvas::rectangle(double x1, double y1, double x2, double y2, Colour colour) {
    canvas_->rectangle(x1, y1, x2, y2, colour);
}
void ImageCanvas::circle(double x, double y, double radius, Colour colour) {
    canvas_->circle(x, y, radius, colour);
}
void ImageCanvas::text(double x, double y, const std::string& text, Colour colour) {
    canvas_->text(x, y, text, colour);
}
void ImageCanvas::finish() {
    canvas_->finish();
}
void ImageCanvas::stretchedPicture(const std::shared_ptr<const RgbaImage>& picture, double x,
                                   double y, double width, double height) {
    canvas_->stretchedPicture(picture, x, y, width, height);
}

} // namespace common
