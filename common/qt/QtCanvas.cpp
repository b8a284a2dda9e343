#include "common/qt/QtCanvas.h"

#include <QPainter>
#include <QPixmapCache>

namespace common {

namespace {

QColor toQColor(Colour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

} // namespace

QtCanvas::QtCanvas(QPainter& painter, int pixelWidth, int pixelHeight, double unitsPerPixel,
                   QColor background)
    : painter_(painter), pixelWidth_(pixelWidth), pixelHeight_(pixelHeight),
      unitsPerPixel_(unitsPerPixel), background_(background) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBrush(Qt::NoBrush);
}

QtCanvas::~QtCanvas() {
    finish();
}

void QtCanvas::finish() {
    if (pending_ == Pending::None)
        return;
    painter_.setPen(QPen(toQColor(pendingColour_), 0));
    painter_.setBrush(Qt::NoBrush);
    if (pending_ == Pending::Lines)
        painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
    else
        painter_.drawRects(rectangles_.data(), static_cast<int>(rectangles_.size()));
    lines_.clear();
    rectangles_.clear();
    pending_ = Pending::None;
}

void QtCanvas::pend(Pending kind, Colour colour) {
    if (pending_ != kind || !(pendingColour_ == colour))
        finish();
    pending_ = kind;
    pendingColour_ = colour;
}

void QtCanvas::clear() {
    lines_.clear();
    rectangles_.clear();
    pending_ = Pending::None;
    painter_.fillRect(0, 0, pixelWidth_, pixelHeight_, background_);
}

void QtCanvas::line(double x1, double y1, double x2, double y2, Colour colour) {
    // A line wholly beyond one edge of the surface cannot show.
    const double w = pixelWidth_ * unitsPerPixel_, h = pixelHeight_ * unitsPerPixel_;
    if ((x1 < 0 && x2 < 0) || (y1 < 0 && y2 < 0) || (x1 > w && x2 > w) || (y1 > h && y2 > h))
        return;
    pend(Pending::Lines, colour);
    lines_.emplace_back(px(x1), px(y1), px(x2), px(y2));
}

void QtCanvas::rectangle(double x1, double y1, double x2, double y2, Colour colour) {
    pend(Pending::Rectangles, colour);
    rectangles_.push_back(QRectF(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2))).normalized());
}

void QtCanvas::circle(double x, double y, double radius, Colour colour) {
    finish();
    painter_.setPen(QPen(toQColor(colour), 0));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(QPointF(px(x), px(y)), px(radius), px(radius));
}

void QtCanvas::stretchedPicture(const std::string& path, double x, double y, double width,
                                double height) {
    finish();
    const QString key = QString::fromStdString(path);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        if (!picture.load(key))
            return;
        QPixmapCache::insert(key, picture);
    }
    painter_.drawPixmap(QRectF(px(x), px(y), px(width), px(height)), picture,
                        QRectF(picture.rect()));
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
void ImageCanvas::rectangle(double x1, double y1, double x2, double y2, Colour colour) {
    canvas_->rectangle(x1, y1, x2, y2, colour);
}
void ImageCanvas::circle(double x, double y, double radius, Colour colour) {
    canvas_->circle(x, y, radius, colour);
}
void ImageCanvas::finish() {
    canvas_->finish();
}
void ImageCanvas::stretchedPicture(const std::string& path, double x, double y, double width,
                                   double height) {
    canvas_->stretchedPicture(path, x, y, width, height);
}

} // namespace common
