#include "camera/RgbRules.h"

#include <algorithm>
#include <charconv>

#include "res/ResourceIds.h"
#include "res/StringTable.h"

namespace rgbcontrol {

LinkDifferences DifferencesOf(const Offsets& o) {
    return {o[kRed] - o[kGreen], o[kRed] - o[kBlue], o[kGreen] - o[kBlue]};
}

Offsets MoveOffset(Offsets o, Colour moved, int value, bool linked, const LinkDifferences& d) {
    o[moved] = value;
    if (!linked)
        return o;
    switch (moved) {
        case kRed:
            o[kGreen] = value - d.redGreen;
            o[kBlue] = value - d.redBlue;
            break;
        case kGreen:
            o[kRed] = value + d.redGreen;
            o[kBlue] = value - d.greenBlue;
            break;
        case kBlue:
            o[kGreen] = value + d.greenBlue;
            o[kRed] = value + d.redBlue;
            break;
    }
    return o;
}

bool AcceptsCharacter(QChar c, bool editEmpty, int caret) {
    if (c.isDigit() || c == u'.' || c == u'\b')
        return true;
    return c == u'-' && (editEmpty || caret == 0);
}

double LeadingDecimal(const QString& text) {
    const QByteArray bytes = text.trimmed().toLatin1();
    const char* first = bytes.constData();
    if (*first == '+')
        ++first;
    double value = 0;
    std::from_chars(first, bytes.constData() + bytes.size(), value);
    return value;
}

int8_t OffsetByte(int offset) {
    return int8_t(std::clamp(offset, kOffsetMin, kOffsetMax));
}

void ApplyTo(CameraDescription& d, const Offsets& o, const Triple& g) {
    d.rgbOffsetRed = OffsetByte(o[kRed]);
    d.rgbOffsetGreen = OffsetByte(o[kGreen]);
    d.rgbOffsetBlue = OffsetByte(o[kBlue]);
    d.rgbGainRed = g[kRed];
    d.rgbGainGreen = g[kGreen];
    d.rgbGainBlue = g[kBlue];
}

double ShownGain(double stored) {
    return stored == 0 ? 1.0 : stored;
}

Triple BalanceGains(const Triple& means, const Triple& previous) {
    const double largest = std::max({means[0], means[1], means[2]});
    Triple gains = previous;
    for (int c = 0; c < 3; ++c)
        if (means[c] > 0)
            gains[c] = largest / means[c];
    return gains;
}

QString MeanText(const Triple& means) {
    const QByteArray format = res::LoadString(res::IDS_MEAN_RGB).toUtf8();
    return QString::asprintf(format.constData(), int(uint16_t(means[kRed])), int(uint16_t(means[kGreen])),
                             int(uint16_t(means[kBlue])));
}

}  // namespace rgbcontrol
