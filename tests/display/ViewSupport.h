// A shown image view with a hand-filled current image, and its readout.
#pragma once

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>
#include <vector>

#include "TestImages.h"
#include "display/CChildView.h"

struct ViewFixture {
    std::unique_ptr<CChildView> view = std::make_unique<CChildView>();
    CurrentImage image;
    std::vector<std::pair<QPoint, int64_t>> readouts;

    explicit ViewFixture(QSize client = QSize(400, 300)) {
        view->SetHost({[this](QPoint p, int64_t v) { readouts.emplace_back(p, v); }, {}, {}});
        view->SetCurrentImage(&image);
        view->resize(client + QSize(2 * view->frameWidth(), 2 * view->frameWidth()));
        view->show();
        QApplication::processEvents();
    }

    ViewFixture(int rampWidth, int rampHeight) : ViewFixture() { Ramp8(rampWidth, rampHeight); }

    // An 8-bit ramp image (value x + y, wrapped); re-laid out as a format change.
    void Ramp8(int width, int height) {
        image.description = testimages::Description(width, height, 8);
        view->OnUpdate(nullptr, 0, nullptr);
        testimages::Fill(image, image.description, 1, 1,
                         [](int x, int y, int) { return uint32_t(x + y) & 0xFF; });
    }

    QImage Render() {
        QImage out(view->viewport()->size(), QImage::Format_RGB32);
        out.fill(Qt::magenta);
        QPainter p(&out);
        view->OnDraw(p);
        return out;
    }
};
