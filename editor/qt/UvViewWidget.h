#pragma once

#include "common/qt/QtCanvas.h"
#include "editor/interaction/viewport_mouse.h"

#include <QWidget>

namespace editor {

// The texture view's drawing area: the core draws into its picture whenever something changes
// (the drawing persists between repaints), and it reports the mouse in pixels.
class UvViewWidget : public QWidget {
    Q_OBJECT

  public:
    UvViewWidget(int width, int height, QWidget* parent);

    common::Canvas& canvas() { return canvas_; }

  signals:
    void mouseDown(double x, double y);
    void mouseMove(double x, double y);
    void mouseUp(editor::MouseButton button, double x, double y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    common::ImageCanvas canvas_;
};

} // namespace editor
