// The command icons: drawn at the toolbar's sizes, and visibly greyed when disabled.
#include <gtest/gtest.h>

#include <QImage>

#include "app/CommandTable.h"
#include "res/Icons.h"

namespace {

bool blank(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
    return true;
}

}  // namespace

TEST(Icons, EveryButtonDrawsAtBothSizesAndLooksDisabledWhenDisabled) {
    for (int id : app::ToolbarButtons()) {
        if (id == 0)
            continue;
        const QIcon icon = res::commandIcon(id);
        for (int size : {16, 24}) {
            const QImage normal = icon.pixmap(size, size).toImage();
            const QImage disabled = icon.pixmap(size, size, QIcon::Disabled).toImage();
            EXPECT_EQ(normal.size(), QSize(size, size)) << id;
            EXPECT_FALSE(blank(normal)) << id << " at " << size;
            EXPECT_NE(normal, disabled) << id << " at " << size;
        }
    }
    EXPECT_FALSE(blank(res::applicationIcon().pixmap(48, 48).toImage()));
    EXPECT_FALSE(blank(res::overrunIcon().toImage()));
}
