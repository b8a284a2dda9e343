#pragma once

#include "editor/preview/preview_state.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace editor {

// The controls under the 3D view that play the model's sequences: the sequence list, Play/
// Pause, the time slider with the frame, Loop, speed, Skeleton and team colour. Each control
// runs one command of the preview state, then the bar shows the state and the view draws.
// While playing, a timer of the window's event loop steps the time; it stops while the window
// is hidden.
class AnimationBar : public QWidget {
    Q_OBJECT

  public:
    // redraw asks the view for a frame.
    AnimationBar(PreviewFields& preview, const GeosetModel& model, std::function<void()> redraw,
                 QWidget* parent = nullptr);

    // Shows the state: the sequence list when the model's differs, the button's caption, the
    // slider and the frame. The timer runs exactly while playing and shown.
    void sync();
    // Play/Pause (also Space in the view).
    void togglePlaying();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void run(const std::function<void()>& command);
    void tick();

    PreviewFields& preview_;
    const GeosetModel& model_;
    std::function<void()> redraw_;
    QComboBox* sequences_ = nullptr;
    QPushButton* play_ = nullptr;
    QSlider* time_ = nullptr;
    QLabel* frame_ = nullptr;
    QCheckBox* loop_ = nullptr;
    QComboBox* speed_ = nullptr;
    QCheckBox* skeleton_ = nullptr;
    QComboBox* teamColour_ = nullptr;
    std::vector<std::string> labels_;
    QTimer timer_;
    QElapsedTimer clock_;
};

} // namespace editor
