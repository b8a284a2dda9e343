#pragma once

#include "common/canvas.h"

#include <QImage>
#include <QWidget>

#include <memory>

class QPainter;

namespace common {
class QtCanvas;
}

namespace editor {

// One orthographic view of the main window. The editor core draws on canvas() (in twips, 15 per
// pixel) whenever it redraws; the drawing goes into a backing image that the widget shows, so a
// view keeps what was last drawn until the core draws again. Mouse events are reported in
// twips, the pixel position rounded half to even first.
class ViewportWidget : public QWidget {
    Q_OBJECT

  public:
    explicit ViewportWidget(QWidget* parent = nullptr);
    ~ViewportWidget() override;

    common::Canvas& canvas();
    // What the view shows now, at the widget's size in pixels.
    QImage image();

  signals:
    void mouseDown(Qt::MouseButton button, double x, double y);
    void mouseUp(Qt::MouseButton button, double x, double y);
    void mouseMove(double x, double y);
    // The pointer moved with buttons held (after mouseMove).
    void mouseDrag(Qt::MouseButtons buttons, double x, double y);
    // The wheel turned by notches (positive away from the user) over the point (x, y).
    void wheelTurned(double notches, double x, double y);
    // The backing image was made anew for a new size; it is blank until the view is redrawn.
    void resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    class BackingCanvas;
    friend class BackingCanvas;

    // Makes a blank backing image when there is none of the widget's current size.
    void ensureBacking();
    // Starts painting on the backing image on the first drawing call after it was last shown.
    common::QtCanvas& painterCanvas();
    void finishPainting();

    QImage backing_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<common::QtCanvas> painterCanvas_;
    std::unique_ptr<BackingCanvas> canvas_;
};

} // namespace editor
