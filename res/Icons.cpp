#include "res/Icons.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPixmap>

#include "res/ResourceIds.h"

namespace res {
namespace {

struct Glyph {
    const char* text;
    QRgb colour;
};

// Toolbar images: a short label on a tile coloured by the command's group
// (card, acquisition, tools, view).
const QHash<int, Glyph>& glyphs() {
    constexpr QRgb card = 0x2f6f9f, grab = 0x2f8f4f, tools = 0x7f5f2f, view = 0x5f4f8f, help = 0x606060;
    static const QHash<int, Glyph> table = {
        {ID_CARD_SELECTOR, {"Sel", card}},
        {ID_CHANNEL_1, {"1", card}},
        {ID_CHANNEL_2, {"2", card}},
        {ID_GRAB_SEQUENCE, {"\u25B6", grab}},
        {ID_SNAP_IMAGE, {"1\u25B6", grab}},
        {ID_CAPTURE_START_STOP, {"\u25CF", 0xb03030}},
        {ID_CAMERA_PARAMETERS, {"Cam", tools}},
        {ID_CC_CONTROL, {"CC", tools}},
        {ID_PLC, {"PLC", tools}},
        {ID_RGB_CONTROL, {"RGB", tools}},
        {ID_CAPTURE_SETTINGS, {"Cap", tools}},
        {ID_TERMINAL, {"Ter", tools}},
        {ID_STATISTICS, {"Sta", tools}},
        {ID_HEX_DUMP, {"Hex", tools}},
        {ID_TOGGLE_LUT, {"LUT", tools}},
        {ID_HISTOGRAM, {"His", view}},
        {ID_POCL, {"PoC", tools}},
        {ID_ZOOM_IN, {"+", view}},
        {ID_ZOOM_OUT, {"\u2212", view}},
        {ID_ZOOM_FIT, {"Fit", view}},
        {ID_FULL_SCREEN, {"\u25A1", view}},
        {ID_ZOOM_100, {"1:1", view}},
        {ID_GRID, {"#", view}},
        {ID_APP_ABOUT, {"?", help}},
    };
    return table;
}

QPixmap tile(const QString& text, QColor colour, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour.darker(140));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), size / 6.0, size / 6.0);
    QFont font;
    font.setBold(true);
    font.setPixelSize(text.size() > 2 ? size * 3 / 8 : size / 2);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, text);
    return pixmap;
}

}  // namespace

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(tile(QStringLiteral("GX"), QColor(0x2f6f9f), size));
    return icon;
}

QPixmap overrunIcon() {
    constexpr int kSize = 16;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x902020));
    p.setBrush(QColor(0xd03030));
    p.drawEllipse(QRectF(0.5, 0.5, kSize - 1.0, kSize - 1.0));
    QFont font;
    font.setBold(true);
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("!"));
    return pixmap;
}

QIcon commandIcon(int commandId) {
    auto it = glyphs().find(commandId);
    if (it == glyphs().end())
        return {};
    QIcon icon;
    for (int size : {16, 24, 32})
        icon.addPixmap(tile(QString::fromUtf8(it->text), QColor(it->colour), size));
    return icon;
}

}  // namespace res
