#include <gtest/gtest.h>

#include "PluginLibrary.h"

namespace {

const QString kPlugin = QStringLiteral(TEST_PLUGIN_DIR "/libQarv_PLC.so");

TEST(PluginLibrary, AnAbsentPluginChangesNothing) {
    plc::PluginLibrary plugin(QStringLiteral("/nonexistent/libQarv_PLC.so"));
    EXPECT_FALSE(plugin.isLoaded());
    EXPECT_EQ(plugin.createPoCLDialog(), nullptr);
    EXPECT_EQ(plugin.createPLCTestDialog(), nullptr);
}

TEST(PluginLibrary, ObjectsAreCreatedByClassName) {
    plc::PluginLibrary plugin(kPlugin);
    ASSERT_TRUE(plugin.isLoaded());
    auto pocl = plugin.createPoCLDialog();
    ASSERT_NE(pocl, nullptr);
    EXPECT_EQ(pocl->GetName(), QStringLiteral("Po&CL"));
    EXPECT_EQ(plugin.createPLCTestDialog(), nullptr) << "a class the plug-in lacks answers null";
}

}  // namespace
