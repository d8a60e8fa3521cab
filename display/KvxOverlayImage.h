// The text and image overlay of the image view: a semi-transparent bitmap and
// two lines of semi-transparent red text that drift across the visible area.
// Configured only by the profile's "Overlay" section, read once at construction.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include "display/OverlayMotion.h"

class QPainter;

class KvxOverlayImage {
public:
    KvxOverlayImage(int imageOpacity, int imageStepY, int imageStepX, int textOpacity, int textStepY,
                    int textStepX);

    bool enabled() const { return enabled_; }
    QRect bounds() const { return bounds_; }
    void SetBounds(const QRect& bounds) { bounds_ = bounds; }
    // One animation step.
    void Tick();
    // Draws the text, then the image, in the painter's coordinates.
    void Draw(QPainter& painter) const;

    // Positions, for the view's tests and screenshots.
    const display::OverlayMotion& textMotion() const { return text_; }
    const display::OverlayMotion& imageMotion() const { return image_; }

private:
    bool enabled_ = false;
    QString imagePath_;
    QImage picture_;
    bool imageShown_ = false;
    int imageOpacity_;
    display::OverlayMotion image_;
    bool textShown_ = false;
    QString line1_ = QStringLiteral("Welcome to Korvan!");
    QString line2_ = QStringLiteral("Welcome to Korvan2!");
    QFont font_;
    int textWidth_ = 0, textHeight_ = 0;
    int line2Width_ = 0, line2Height_ = 0;
    int textOpacity_;
    display::OverlayMotion text_;
    QRect bounds_;
};
