#include "capture/GlyphSet.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace capture {

std::shared_ptr<const GlyphSet> RenderStampGlyphs() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return nullptr;
    QFont font(QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    font.setPixelSize(9);
    const QFontMetrics metrics(font);
    // The baseline leaves room for the accents of capitals above the ascent.
    int baseline = metrics.ascent();
    for (int code = 32; code < 256; ++code)
        baseline = std::max(baseline, -metrics.boundingRect(QChar(char16_t(code))).top());
    const int height = std::clamp(baseline + metrics.descent(), 0, int(Glyph::kCell));
    auto glyphs = std::make_shared<GlyphSet>();
    QImage image(int(Glyph::kCell), int(Glyph::kCell), QImage::Format_Grayscale8);
    for (int code = 0; code < 256; ++code) {
        const QString text{QChar(char16_t(code))};
        image.fill(255);
        {
            QPainter painter(&image);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(0, baseline, text);
        }
        Glyph& g = (*glyphs)[size_t(code)];
        g.width = uint8_t(std::clamp(metrics.horizontalAdvance(text), 0, int(Glyph::kCell)));
        g.height = uint8_t(height);
        for (uint32_t y = 0; y < Glyph::kCell; ++y) {
            const uchar* row = image.constScanLine(int(y));
            for (uint32_t x = 0; x < Glyph::kCell; ++x)
                g.cell[y * Glyph::kCell + x] = row[x] < 128 ? 0 : 255;
        }
    }
    return glyphs;
}

}  // namespace capture
