// The main frame with the test PLC plug-in installed: its PoCL dialog, which is
// usable only for configurations of at most 24 bits per clock.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "FlowsSupport.h"
#include "app/CMainFrame.h"
#include "grabber/CameraFiles.h"
#include "grabber/CameraSettings.h"
#include "grabber/Grabber.h"
#include "res/ResourceIds.h"

namespace {

// The actions of the menu that holds "Lookup table", in order.
QList<QAction*> menuOfLookupTable(CMainFrame& frame) {
    for (QAction* title : frame.menuBar()->actions())
        if (QMenu* menu = title->menu(); menu && menu->actions().contains(frame.action(res::ID_LOOKUP_TABLE)))
            return menu->actions();
    return {};
}

struct PoclCase {
    const char* name;
    uint32_t tapFormat, bitDepth, width;
    bool enabled;  // what the plug-in makes of the channel file's bit product
};

class PluginPocl : public ::testing::TestWithParam<PoclCase> {};

TEST_P(PluginPocl, CreatedWithTheLoadedConfigurationAndListedBeforeLookupTable) {
    const PoclCase& c = GetParam();
    flows::UseMachine(R"({"cards": [{"channels": [{"camera": {}}]}]})");
    grabber::ChannelSettings settings;
    CameraDescription description = grabber::DefaultCameraDescription();
    ASSERT_EQ(grabber::SetTapFormat(c.tapFormat, description.config.tapConfig), ZAMGRB_OK);
    description.config.bitDepth = c.bitDepth;
    description.config.widthValid = c.width;
    grabber::SaveCameraSettings(grabber::AutomaticChannelFile(0), settings, description);

    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    frame.UpdateCommandUI();
    QAction* pocl = frame.action(res::ID_POCL);
    EXPECT_EQ(pocl->text(), "Po&CL") << "the dialog's name";
    EXPECT_EQ(pocl->isEnabled(), c.enabled) << "told the bit product of the channel's file";
    const QList<QAction*> items = menuOfLookupTable(frame);
    const qsizetype at = items.indexOf(pocl);
    ASSERT_GE(at, 0) << "a menu item";
    EXPECT_EQ(items.value(at + 1), frame.action(res::ID_LOOKUP_TABLE));
}

INSTANTIATE_TEST_SUITE_P(BitProducts, PluginPocl,
                         ::testing::Values(PoclCase{"eightBitsOneTap", 1, 8, 640, true},
                                           PoclCase{"tenBitsThreeTaps", 9, 10, 642, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
