#pragma once

#include "editor/preview/preview_state.h"

#include <QWidget>

#include <memory>

class QLabel;

namespace editor {

class AnimationBar;
class PreviewGlView;

// The main window's 3D view, in the lower-right quarter: the whole model in perspective,
// textured, drawn with OpenGL from the state's PreviewFields. Left drag orbits, the wheel zooms,
// a middle drag or Shift with a left drag pans, a double-click fits the whole model, Space
// plays or pauses. The animation bar below it plays the sequences (the view draws the edited
// geoset in the pose; the three orthographic views stay in the bind pose). Where no
// OpenGL 3.3 context can be made (or its shaders fail) it shows a sentence saying so instead,
// and keeps previewShown off so that nothing builds a scene for it.
class PreviewWidget : public QWidget {
    Q_OBJECT

  public:
    PreviewWidget(PreviewFields& preview, const GeosetModel& model, QWidget* parent = nullptr);
    ~PreviewWidget() override;

    // Whether the OpenGL view is in use (else the sentence is shown).
    bool drawing() const;
    // The sentence shown without OpenGL; empty while drawing.
    QString unavailableText() const;
    // Draws again when the scene or the camera differ from what was last drawn.
    void refresh();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showUnavailable(const QString& why);

    PreviewFields& preview_;
    const GeosetModel& model_;
    PreviewGlView* view_ = nullptr;
    AnimationBar* bar_ = nullptr;
    QLabel* message_ = nullptr;
};

} // namespace editor
