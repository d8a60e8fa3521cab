#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CrashDump.h"

namespace fs = std::filesystem;

namespace {

TEST(CrashDump, AFatalSignalLeavesADumpAndStillKillsTheProcess) {
    const fs::path folder = fs::temp_directory_path() / ("gx-dumps-" + std::to_string(getpid())) / "Dumps/";
    fs::remove_all(folder.parent_path());
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        app::InstallCrashDumpWriter(folder.string(), "viewer");
        raise(SIGSEGV);
        _exit(0);  // not reached
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the signal must go on to end the process";
    EXPECT_EQ(WTERMSIG(status), SIGSEGV);

    std::vector<fs::path> dumps;
    for (const auto& e : fs::directory_iterator(folder))
        dumps.push_back(e.path());
    ASSERT_EQ(dumps.size(), 1u);
    const std::string name = dumps[0].filename().string();
    // viewer_YYYYMMDDhhmmss.dmp
    char today[16];
    const time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    strftime(today, sizeof today, "%Y%m%d", &local);
    EXPECT_EQ(name.rfind(std::string("viewer_") + today, 0), 0u) << name << ": the local date";
    EXPECT_EQ(name.size(), std::string("viewer_20261206101010.dmp").size()) << name;
    std::ifstream in(dumps[0]);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("signal 11"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("backtrace"), std::string::npos);
    fs::remove_all(folder.parent_path());
}

TEST(CrashDump, FolderIsBelowTheSharedDataFolder) {
    const std::string folder = app::CrashDumpFolder();
    EXPECT_NE(folder.find("Korvan/Event Recorder/Dumps/"), std::string::npos) << folder;
    EXPECT_EQ(folder.back(), '/');
}

}  // namespace
