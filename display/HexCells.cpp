#include "display/HexCells.h"

#include <cmath>

#include "display/ImageFormat.h"

namespace display {
namespace {

QColor FromColorRef(uint64_t v) {
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

}  // namespace

QString HeaderText(int index) {
    return QString::number(index + 1);
}

HexCell BodyCell(const CameraDescription& description, uint64_t v, bool hasPixels, const uint8_t* palette24,
                 uint64_t paletteLevels) {
    const ImageFormat f = FormatOf(description);
    const int b = f.bitsPerChannel;
    const bool eight = b == 8;
    HexCell cell;
    if (f.colour)
        cell.widest = eight ? QStringLiteral("R FF\nG FF\nB FF") : QStringLiteral("R FFFF\nG FFFF\nB FFFF");
    else
        cell.widest = eight ? QStringLiteral("FF") : QStringLiteral("FFFF");
    if (!hasPixels) {
        if (f.colour)
            cell.text = eight ? QStringLiteral("R   \nG   \nB   ") : QStringLiteral("R     \nG     \nB     ");
        else
            cell.text = eight ? QStringLiteral("  ") : QStringLiteral("    ");
        cell.background = Qt::black;
        cell.foreground = Qt::white;
        return cell;
    }

    if (!f.colour) {
        const char* form = eight ? "%02llX" : "%04llX";
        const char* tip = eight ? "%02llXh = %llu" : "%04llXh = %llu";
        const auto value = static_cast<unsigned long long>(v);
        cell.text = QString::asprintf(form, value);
        cell.tip = QString::asprintf(tip, value, value);
        const uint64_t half = (uint64_t(1) << b) / 2;
        cell.foreground = v <= half ? Qt::white : Qt::black;
        if (palette24 && v < paletteLevels) {
            const uint8_t* p = palette24 + v * 3;
            cell.background = QColor(p[2], p[1], p[0]);
        } else {
            cell.background = FromColorRef(v);
        }
        return cell;
    }

    const int shift = eight ? 8 : 16;
    const uint64_t mask = (uint64_t(1) << shift) - 1;
    const auto red = static_cast<unsigned long long>(v & mask);
    const auto green = static_cast<unsigned long long>((v >> shift) & mask);
    const auto blue = static_cast<unsigned long long>((v >> 2 * shift) & mask);
    if (eight) {
        cell.text = QString::asprintf("R %02llX\nG %02llX\nB %02llX", red, green, blue);
        cell.tip = QString::asprintf("Red: %02llXh = %llu\nGreen: %02llXh = %llu\nBlue: %02llXh = %llu", red,
                                     red, green, green, blue, blue);
    } else {
        cell.text = QString::asprintf("R %04llX\nG %04llX\nB %04llX", red, green, blue);
        cell.tip = QString::asprintf("Red: %04llXh = %llu\nGreen: %04llXh = %llu\nBlue: %04llXh = %llu", red,
                                     red, green, green, blue, blue);
    }
    // Colours are shown with 8 bits per channel; deeper components are shifted
    // down first and then judged against the 8-bit middle, so a bright deep
    // colour gets dark text like a bright 8-bit one.
    const int down = b > 8 ? b - 8 : 0;
    const auto r8 = int(red >> down), g8 = int(green >> down), b8 = int(blue >> down);
    cell.background = QColor(r8 & 0xFF, g8 & 0xFF, b8 & 0xFF);
    const auto luminance = int(std::sqrt(0.241 * r8 * r8 + 0.691 * g8 * g8 + 0.068 * b8 * b8));
    cell.foreground = luminance <= 128 ? Qt::white : Qt::black;
    return cell;
}

}  // namespace display
