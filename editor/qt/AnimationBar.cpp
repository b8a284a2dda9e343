#include "editor/qt/AnimationBar.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

namespace editor {

namespace {

constexpr std::array<double, 6> speeds{0.25, 0.5, 0.75, 1.0, 1.5, 2.0};
constexpr int frameIntervalMs = 16;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

AnimationBar::AnimationBar(PreviewFields& preview, const GeosetModel& model,
                           std::function<void()> redraw, QWidget* parent)
    : QWidget(parent), preview_(preview), model_(model), redraw_(std::move(redraw)) {
    sequences_ = new QComboBox(this);
    sequences_->setObjectName("cboSequence");
    sequences_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    sequences_->setMinimumContentsLength(8);
    play_ = new QPushButton("Play", this);
    play_->setObjectName("cmdPlay");
    play_->setToolTip("Play or pause the sequence (Space in the 3D view)");
    time_ = new QSlider(Qt::Horizontal, this);
    time_->setObjectName("sldTime");
    frame_ = new QLabel(this);
    frame_->setObjectName("lblFrame");
    loop_ = new QCheckBox("Loop", this);
    loop_->setObjectName("chkLoop");
    speed_ = new QComboBox(this);
    speed_->setObjectName("cboSpeed");
    speed_->setToolTip("Playing speed");
    for (const double speed : speeds)
        speed_->addItem(QString::number(speed) + QString::fromUtf8("\u00d7"), speed);
    skeleton_ = new QCheckBox("Skeleton", this);
    skeleton_->setObjectName("chkSkeleton");
    teamColour_ = new QComboBox(this);
    teamColour_->setObjectName("cboTeamColour");
    teamColour_->setToolTip("Team colour");
    // The swatch says it; the list names the players.
    teamColour_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    teamColour_->setMinimumContentsLength(2);
    for (int player = 0; player < preview::playerCount; ++player) {
        const auto rgb = preview::playerColour(player);
        QPixmap swatch(12, 12);
        swatch.fill(QColor(rgb[0], rgb[1], rgb[2]));
        teamColour_->addItem(QIcon(swatch), preview::playerName(player));
    }

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(2, 2, 2, 2);
    rows->setSpacing(2);
    auto* playing = new QHBoxLayout;
    playing->addWidget(sequences_, 2);
    playing->addWidget(play_);
    playing->addWidget(time_, 3);
    auto* options = new QHBoxLayout;
    options->addWidget(loop_);
    options->addWidget(speed_);
    options->addWidget(skeleton_);
    options->addWidget(teamColour_);
    options->addWidget(frame_, 1);
    rows->addLayout(playing);
    rows->addLayout(options);

    connect(sequences_, &QComboBox::activated, this, [this](int index) {
        run([&] { choosePreviewSequence(preview_, model_, index - 1); });
    });
    connect(play_, &QPushButton::clicked, this, [this] { togglePlaying(); });
    connect(time_, &QSlider::valueChanged, this,
            [this](int ms) { run([&] { seekPreview(preview_, model_, ms); }); });
    connect(loop_, &QCheckBox::toggled, this,
            [this](bool on) { run([&] { setPreviewLoop(preview_, on); }); });
    connect(speed_, &QComboBox::activated, this, [this](int index) {
        run([&] { setPreviewSpeed(preview_, speed_->itemData(index).toDouble()); });
    });
    connect(skeleton_, &QCheckBox::toggled, this,
            [this](bool on) { run([&] { showPreviewSkeleton(preview_, model_, on); }); });
    connect(teamColour_, &QComboBox::activated, this,
            [this](int player) { run([&] { setPreviewTeamColour(preview_, player); }); });

    timer_.setInterval(frameIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    sync();
}

void AnimationBar::togglePlaying() {
    run([&] { togglePreviewPlaying(preview_, model_); });
}

void AnimationBar::run(const std::function<void()>& command) {
    command();
    sync();
    redraw_();
}

void AnimationBar::tick() {
    const double elapsed = static_cast<double>(clock_.restart());
    previewTimerTick(preview_, model_, elapsed);
    sync();
    redraw_();
}

void AnimationBar::sync() {
    const auto& playback = preview_.previewPlayback;
    const auto* model = previewModel(preview_);
    const auto labels = preview::sequenceLabels(model);
    if (labels != labels_) {
        const QSignalBlocker blocker(sequences_);
        sequences_->clear();
        for (const auto& label : labels)
            sequences_->addItem(text(label));
        labels_ = labels;
    }
    {
        const QSignalBlocker blocker(sequences_);
        sequences_->setCurrentIndex(playback.sequence + 1);
    }
    const bool sequence = playback.sequence >= 0;
    play_->setText(playback.playing ? "Pause" : "Play");
    play_->setEnabled(sequence);
    {
        const QSignalBlocker blocker(time_);
        time_->setEnabled(sequence);
        // A slider holds an int: an interval of the file's 32-bit frames may be longer.
        const auto slider = [](double ms) {
            return static_cast<int>(std::clamp(std::round(ms), 0.0, double(INT_MAX)));
        };
        time_->setRange(0, slider(preview::sequenceLength(model, playback.sequence)));
        time_->setValue(slider(playback.time));
    }
    frame_->setText(text(preview::frameText(model, playback)));
    const QSignalBlocker loopBlocker(loop_), skeletonBlocker(skeleton_);
    loop_->setChecked(playback.loop);
    skeleton_->setChecked(playback.skeleton);
    for (int i = 0; i < speed_->count(); ++i)
        if (speed_->itemData(i).toDouble() == playback.speed)
            speed_->setCurrentIndex(i);
    teamColour_->setCurrentIndex(playback.teamColour);

    const bool run = playback.playing && isVisible();
    if (run && !timer_.isActive()) {
        clock_.start();
        timer_.start();
    } else if (!run && timer_.isActive()) {
        timer_.stop();
    }
}

void AnimationBar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    sync();
}

void AnimationBar::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    timer_.stop();
}

} // namespace editor
