#include "editor/qt/UvViewWidget.h"

#include "editor/uv/uv_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace editor {

namespace {

QColor toQColor(common::Colour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

MouseButton buttonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    default:
        return MouseButton::Middle;
    }
}

} // namespace

UvViewWidget::UvViewWidget(int width, int height, QWidget* parent)
    : QWidget(parent), canvas_(width, height, 1.0, toQColor(uvColours::background)) {
    setFixedSize(width, height);
    setMouseTracking(true); // the read-outs follow the pointer without a button held
    canvas_.clear();
}

void UvViewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_.image());
}

void UvViewWidget::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->position().x(), event->position().y());
}

void UvViewWidget::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMove(event->position().x(), event->position().y());
}

void UvViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseUp(buttonOf(event->button()), event->position().x(), event->position().y());
}

} // namespace editor
