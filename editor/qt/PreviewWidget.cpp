#include "editor/qt/PreviewWidget.h"

#include "editor/preview/gl/preview_renderer.h"
#include "editor/qt/AnimationBar.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QResizeEvent>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include <algorithm>
#include <functional>

namespace editor {

namespace {

QSurfaceFormat previewFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    return format;
}

// Whether the platform makes an OpenGL 3.3 context at all (the offscreen platform and a
// display without GLX do not): asked once, before any OpenGL widget is made.
bool openGlAvailable() {
    QOpenGLContext probe;
    probe.setFormat(previewFormat());
    return probe.create() && probe.format().version() >= qMakePair(3, 3);
}

} // namespace

// The OpenGL surface itself; gestures move the state's camera, Space plays or pauses.
class PreviewGlView : public QOpenGLWidget {
  public:
    PreviewGlView(PreviewFields& preview, const GeosetModel& model, QWidget* parent,
                  std::function<void(QString)> failed)
        : QOpenGLWidget(parent), preview_(preview), model_(model), failed_(std::move(failed)) {
        setFormat(previewFormat());
        setFocusPolicy(Qt::ClickFocus);
    }

    std::function<void()> spacePressed;
    ~PreviewGlView() override { releaseRenderer(); }

    // The scene and camera last drawn, to tell whether a frame is needed.
    std::uint64_t drawnRevision = 0;
    preview::OrbitCamera drawnCamera;
    bool everDrawn = false;

  protected:
    void initializeGL() override {
        connect(context(), &QOpenGLContext::aboutToBeDestroyed, this,
                [this] { releaseRenderer(); });
        std::string error;
        ready_ = renderer_.initialize(error);
        if (!ready_)
            failed_(QString::fromStdString(error));
    }

    void resizeGL(int width, int height) override {
        if (height <= 0)
            return;
        preview_.previewAspect = static_cast<float>(width) / static_cast<float>(height);
        // A model opened before the view had its size is fitted again to the real shape.
        if (!everDrawn)
            fitPreview(preview_);
    }

    void paintGL() override {
        if (!ready_)
            return;
        const qreal ratio = devicePixelRatioF();
        renderer_.render(preview_.previewScene, preview_.previewCamera,
                         static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
        drawnRevision = preview_.previewScene.revision;
        drawnCamera = preview_.previewCamera;
        everDrawn = true;
    }

    // Whether a drag pans is settled when its button goes down: a middle button, or the left
    // one with Shift held.
    void mousePressEvent(QMouseEvent* event) override {
        last_ = event->position();
        panning_ = event->button() == Qt::MiddleButton ||
                   (event->button() == Qt::LeftButton && event->modifiers() & Qt::ShiftModifier);
        event->accept();
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        const QPointF by = event->position() - last_;
        last_ = event->position();
        const auto buttons = event->buttons();
        auto& camera = preview_.previewCamera;
        if (panning_ && buttons & (Qt::LeftButton | Qt::MiddleButton))
            preview::panCamera(camera, static_cast<float>(by.x()), static_cast<float>(by.y()),
                               static_cast<float>(height()));
        else if (buttons & Qt::LeftButton)
            preview::orbitCamera(camera, static_cast<float>(by.x()), static_cast<float>(by.y()));
        else
            return;
        cameraMoved();
    }

    void wheelEvent(QWheelEvent* event) override {
        // A wheel notch is 120 eighths of a degree.
        preview::zoomCamera(preview_.previewCamera,
                            static_cast<float>(event->angleDelta().y() / 120.0));
        cameraMoved();
        event->accept();
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && spacePressed) {
            spacePressed();
            event->accept();
            return;
        }
        QOpenGLWidget::keyPressEvent(event);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            fitPreview(preview_);
            cameraMoved();
        }
    }

  private:
    // Billboards of a posed model turn toward the camera.
    void cameraMoved() {
        if (preview_.previewPlayback.sequence >= 0)
            posePreview(preview_, model_);
        update();
    }

    void releaseRenderer() {
        if (!ready_ || !context())
            return;
        makeCurrent();
        renderer_.release();
        doneCurrent();
        ready_ = false;
    }

    PreviewFields& preview_;
    const GeosetModel& model_;
    std::function<void(QString)> failed_;
    preview::PreviewRenderer renderer_;
    bool ready_ = false;
    QPointF last_;
    bool panning_ = false;
};

PreviewWidget::PreviewWidget(PreviewFields& preview, const GeosetModel& model, QWidget* parent)
    : QWidget(parent), preview_(preview), model_(model) {
    message_ = new QLabel(this);
    message_->setAlignment(Qt::AlignCenter);
    message_->setWordWrap(true);
    message_->hide();
    if (!openGlAvailable()) {
        showUnavailable("OpenGL 3.3 is not available on this display.");
        return;
    }
    view_ = new PreviewGlView(preview_, model_, this, [this](const QString& why) {
        // Shown after the current paint, as the failure is found while painting.
        QMetaObject::invokeMethod(
            this, [this, why] { showUnavailable("OpenGL cannot draw here: " + why); },
            Qt::QueuedConnection);
    });
    bar_ = new AnimationBar(
        preview_, model_, [this] { refresh(); }, this);
    view_->spacePressed = [this] { bar_->togglePlaying(); };
    preview_.previewShown = true;
}

PreviewWidget::~PreviewWidget() {
    preview_.previewShown = false;
}

bool PreviewWidget::drawing() const {
    return view_ != nullptr;
}

QString PreviewWidget::unavailableText() const {
    return view_ ? QString() : message_->text();
}

void PreviewWidget::refresh() {
    if (!view_)
        return;
    bar_->sync();
    const auto& camera = preview_.previewCamera;
    const auto& drawn = view_->drawnCamera;
    const bool sameCamera = camera.yaw == drawn.yaw && camera.pitch == drawn.pitch &&
                            camera.distance == drawn.distance && camera.target == drawn.target;
    if (!view_->everDrawn || view_->drawnRevision != preview_.previewScene.revision || !sameCamera)
        view_->update();
}

void PreviewWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int barHeight = bar_ ? bar_->sizeHint().height() : 0;
    if (view_)
        view_->setGeometry(0, 0, width(), std::max(height() - barHeight, 1));
    if (bar_)
        bar_->setGeometry(0, height() - barHeight, width(), barHeight);
    message_->setGeometry(rect());
}

void PreviewWidget::showUnavailable(const QString& why) {
    if (view_) {
        view_->hide();
        view_->deleteLater();
        view_ = nullptr;
    }
    if (bar_) {
        bar_->hide();
        bar_->deleteLater();
        bar_ = nullptr;
    }
    preview_.previewShown = false;
    preview_.previewScene = preview::Scene();
    message_->setText("The 3D view is not shown: " + why +
                      " Everything else in the editor works without it.");
    message_->show();
}

} // namespace editor
