#include "editor/qt/ViewportWidget.h"

#include "common/qt/QtCanvas.h"
#include "editor/views/view_navigation.h"
#include "editor/views/viewports.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace editor {

namespace {

QColor backgroundColour() {
    const auto colour = viewColours::background;
    return QColor(colour.red, colour.green, colour.blue);
}

double toTwips(double pixels) {
    return std::nearbyint(pixels) * twipsPerPixel;
}

} // namespace

// The canvas the core draws on: sizes in twips from the widget's current size, drawing calls
// forwarded to a painter on the backing image.
class ViewportWidget::BackingCanvas : public common::Canvas {
  public:
    explicit BackingCanvas(ViewportWidget& widget) : widget_(widget) {}

    double width() const override { return widget_.width() * twipsPerPixel; }
    double height() const override { return widget_.height() * twipsPerPixel; }
    void clear() override { widget_.painterCanvas().clear(); }
    void line(double x1, double y1, double x2, double y2, common::Colour colour) override {
        widget_.painterCanvas().line(x1, y1, x2, y2, colour);
    }
    void rectangle(double x1, double y1, double x2, double y2, common::Colour colour) override {
        widget_.painterCanvas().rectangle(x1, y1, x2, y2, colour);
    }
    void circle(double x, double y, double radius, common::Colour colour) override {
        widget_.painterCanvas().circle(x, y, radius, colour);
    }
    void stretchedPicture(const std::shared_ptr<const common::RgbaImage>& picture, double x,
                          double y, double width, double height) override {
        widget_.painterCanvas().stretchedPicture(picture, x, y, width, height);
    }
    void text(double x, double y, const std::string& text, common::Colour colour) override {
        widget_.painterCanvas().text(x, y, text, colour);
    }

    void finish() override {
        if (widget_.painterCanvas_)
            widget_.painterCanvas_->finish();
    }

  private:
    ViewportWidget& widget_;
};

ViewportWidget::ViewportWidget(QWidget* parent)
    : QWidget(parent), canvas_(std::make_unique<BackingCanvas>(*this)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ViewportWidget::~ViewportWidget() {
    finishPainting();
}

common::Canvas& ViewportWidget::canvas() {
    return *canvas_;
}

QImage ViewportWidget::image() {
    ensureBacking();
    finishPainting();
    return backing_;
}

void ViewportWidget::ensureBacking() {
    const qreal ratio = devicePixelRatioF();
    if (!backing_.isNull() && backing_.size() == size() * ratio)
        return;
    finishPainting();
    backing_ = QImage(size() * ratio, QImage::Format_RGB32);
    backing_.setDevicePixelRatio(ratio);
    backing_.fill(backgroundColour());
}

common::QtCanvas& ViewportWidget::painterCanvas() {
    ensureBacking();
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&backing_);
        painterCanvas_ = std::make_unique<common::QtCanvas>(*painter_, width(), height(),
                                                            twipsPerPixel, backgroundColour());
        update();
    }
    return *painterCanvas_;
}

void ViewportWidget::finishPainting() {
    painterCanvas_.reset();
    painter_.reset();
}

void ViewportWidget::paintEvent(QPaintEvent*) {
    ensureBacking();
    finishPainting();
    QPainter(this).drawImage(0, 0, backing_);
}

void ViewportWidget::resizeEvent(QResizeEvent*) {
    ensureBacking();
    emit resized();
}

void ViewportWidget::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button(), toTwips(event->position().x()), toTwips(event->position().y()));
}

void ViewportWidget::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseUp(event->button(), toTwips(event->position().x()), toTwips(event->position().y()));
}

void ViewportWidget::mouseMoveEvent(QMouseEvent* event) {
    const double x = toTwips(event->position().x()), y = toTwips(event->position().y());
    emit mouseMove(x, y);
    if (event->buttons() != Qt::NoButton)
        emit mouseDrag(event->buttons(), x, y);
}

void ViewportWidget::wheelEvent(QWheelEvent* event) {
    // One notch of a wheel is 120; touchpads send smaller steps.
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0)
        emit wheelTurned(notches, toTwips(event->position().x()), toTwips(event->position().y()));
    event->accept();
}

} // namespace editor
