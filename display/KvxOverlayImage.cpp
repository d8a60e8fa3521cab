#include "display/KvxOverlayImage.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "kit/Profile.h"

namespace {

const QString kSection = QStringLiteral("Overlay");

int Setting(const char* name, int defaultValue) {
    return appkit::Profile::GetInt(kSection, QString::fromLatin1(name), defaultValue);
}

QString Text(const char* name, const QString& defaultValue) {
    return appkit::Profile::GetString(kSection, QString::fromLatin1(name), defaultValue);
}

int Opacity(int value) {
    return std::clamp(value, 0, 255);
}

}  // namespace

KvxOverlayImage::KvxOverlayImage(int imageOpacity, int imageStepY, int imageStepX, int textOpacity,
                                 int textStepY, int textStepX)
    : imageOpacity_(imageOpacity),
      image_{100, 100, imageStepX, imageStepY},
      textOpacity_(textOpacity),
      text_{100, 200, textStepX, textStepY} {
    enabled_ = Setting("IsEnable", 0) != 0;
    if (!enabled_)
        return;
    imageShown_ = Setting("IsImageEnable", 0) != 0;
    imagePath_ = Text("ImagePath", QString());
    imageOpacity_ = Opacity(Setting("ImageTransp", imageOpacity_));
    textShown_ = Setting("IsStringEnable", 0) != 0;
    line1_ = Text("StringValue", line1_);
    line2_ = Text("StringValue2", line2_);
    textOpacity_ = Opacity(Setting("StringTransp", textOpacity_));

    // A bitmap that does not load leaves the image empty.
    if (!imagePath_.isEmpty())
        picture_.load(imagePath_);

    font_ = QFont(Text("FontFace", QStringLiteral("Times New Roman")));
    font_.setPixelSize(std::max(1, Setting("FontSize", 24)));
    const QFontMetrics metrics(font_);
    const QRect layout(0, 0, 1000, 1000);
    const QRect one = metrics.boundingRect(layout, Qt::AlignLeft | Qt::AlignTop, line1_);
    const QRect two = metrics.boundingRect(layout, Qt::AlignLeft | Qt::AlignTop, line2_);
    textWidth_ = std::max(one.width(), two.width());
    textHeight_ = one.height();
    line2Width_ = two.width();
    line2Height_ = two.height();
}

void KvxOverlayImage::Tick() {
    if (!enabled_)
        return;
    image_.Tick(bounds_, picture_.width(), picture_.height());
    text_.Tick(bounds_, textWidth_, textHeight_ + line2Height_);
}

void KvxOverlayImage::Draw(QPainter& painter) const {
    if (!enabled_)
        return;
    painter.save();
    if (textShown_) {
        painter.setFont(font_);
        painter.setPen(QColor(255, 0, 0, textOpacity_));
        const Qt::Alignment topLeft = Qt::AlignLeft | Qt::AlignTop;
        painter.drawText(QRect(text_.x, text_.y, 1000, 1000), topLeft, line1_);
        painter.drawText(QRect(text_.x, text_.y + textHeight_, 1000, 1000), topLeft, line2_);
    }
    if (imageShown_ && !picture_.isNull()) {
        painter.setOpacity(imageOpacity_ / 255.0);
        painter.drawImage(QPoint(image_.x, image_.y), picture_);
    }
    painter.restore();
}
