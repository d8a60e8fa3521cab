// The overlay as the view draws it, configured through the "Overlay" section.
#include <gtest/gtest.h>

#include <QSettings>

#include "ViewSupport.h"
#include "kit/Profile.h"

namespace {

void Configure(const std::vector<std::pair<const char*, QVariant>>& values) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, appkit::kOrganization, appkit::kApplication);
    s.remove(QStringLiteral("Overlay"));
    for (const auto& [name, value] : values)
        s.setValue(QStringLiteral("Overlay/") + QLatin1String(name), value);
}

int RedPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qRed(image.pixel(x, y)) > 0 && qGreen(image.pixel(x, y)) == 0;
    return n;
}

}  // namespace

TEST(Overlay, DisabledOrWithDefaultsDrawsNothing) {
    for (bool enabled : {false, true}) {
        Configure({{"IsEnable", enabled ? 1 : 0}, {"StringValue", QStringLiteral("ignored unless shown")}});
        ViewFixture f;
        f.image.description = testimages::Description(400, 300, 8);
        f.view->OnUpdate(nullptr, 0, nullptr);
        EXPECT_EQ(f.view->overlay().enabled(), enabled);
        const QImage before = f.Render();
        EXPECT_EQ(RedPixels(before), 0);
        for (int i = 0; i < 5; ++i)
            f.view->overlay().Tick();
        EXPECT_EQ(f.Render(), before) << "enabled " << enabled;
    }
    Configure({});
}

TEST(Overlay, TextDrawsInRedAndDrifts) {
    Configure({{"IsEnable", 1}, {"IsStringEnable", 1}, {"StringTransp", 255}, {"FontSize", 20}});
    ViewFixture f;
    f.image.description = testimages::Description(400, 300, 8);
    f.view->OnUpdate(nullptr, 0, nullptr);
    const QImage first = f.Render();
    EXPECT_GT(RedPixels(first), 50);
    f.view->overlay().Tick();
    EXPECT_NE(f.Render(), first);
    Configure({});
}
