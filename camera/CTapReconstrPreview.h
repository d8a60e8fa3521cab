// "Tap preview": animates the order in which the taps and channels of a tap
// geometry fill a frame, one 8 x 8 cell per pixel, one colour per tap.
#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>

#include "zamgrb.h"

class CTapReconstrPreview : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCellSize = 8;
    static constexpr int kTickMs = 40;

    explicit CTapReconstrPreview(QWidget* parent = nullptr);

    virtual void GetTapConfig(TapConfig& config) const { config = tapConfig_; }
    // Restarts the animation and repaints at once.
    virtual void SetTapConfig(const TapConfig& config);

    uint32_t step() const { return step_; }
    bool isAnimating() const { return timer_.isActive(); }
    // Advances the animation by one tick.
    void tick();
    // The colour of a tap index.
    static QColor TapColor(uint32_t tapIndex);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    TapConfig tapConfig_{};
    uint32_t step_ = 0;
    QTimer timer_;
};
