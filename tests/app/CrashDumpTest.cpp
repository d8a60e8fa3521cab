#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "app/CrashDump.h"

namespace fs = std::filesystem;

namespace {

// Deep enough to overflow any stack; the compiler cannot prove it endless.
int recurse(int depth) {
    volatile char pad[1024];
    pad[0] = char(depth);
    if (depth == std::numeric_limits<int>::max())
        return 0;
    return recurse(depth + 1) + pad[0];
}

// Runs `crash` in a child with the writer installed; answers how it ended.
int crashChild(const fs::path& folder, void (*crash)()) {
    const pid_t child = fork();
    if (child == 0) {
        app::InstallCrashDumpWriter(folder.string(), "viewer");
        crash();
        _exit(0);  // not reached
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

std::vector<std::string> dumpsIn(const fs::path& folder) {
    std::vector<std::string> names;
    if (fs::exists(folder))
        for (const auto& e : fs::directory_iterator(folder))
            names.push_back(e.path().filename().string());
    // The plain name first, then the numbered ones.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return std::pair(a.size(), a) < std::pair(b.size(), b);
    });
    return names;
}

std::string contents(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(CrashDump, AFatalSignalLeavesADumpAndStillKillsTheProcess) {
    struct Case {
        const char* name;
        void (*crash)();
        int signal;
    };
    const Case cases[] = {
        {"raised", [] { raise(SIGSEGV); }, SIGSEGV},
        {"stack overflow", [] { recurse(0); }, SIGSEGV},
        {"abort", [] { abort(); }, SIGABRT},
    };
    char today[16];
    const time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    strftime(today, sizeof today, "%Y%m%d", &local);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path folder =
            fs::temp_directory_path() / ("gx-dumps-" + std::to_string(getpid())) / "Dumps/";
        fs::remove_all(folder.parent_path());
        const int status = crashChild(folder, c.crash);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the signal must go on to end the process";
        EXPECT_EQ(WTERMSIG(status), c.signal);
        const auto dumps = dumpsIn(folder);
        ASSERT_EQ(dumps.size(), 1u);
        // viewer_YYYYMMDDhhmmss.dmp
        EXPECT_EQ(dumps[0].rfind(std::string("viewer_") + today, 0), 0u) << dumps[0] << ": the local date";
        EXPECT_EQ(dumps[0].size(), std::string("viewer_20261206101010.dmp").size()) << dumps[0];
        const std::string text = contents(folder / dumps[0]);
        EXPECT_NE(text.find("signal " + std::to_string(c.signal)), std::string::npos) << text;
        EXPECT_NE(text.find("backtrace"), std::string::npos);
        fs::remove_all(folder.parent_path());
    }
}

// Crashes within one second keep every dump: the later ones get a number.
TEST(CrashDump, DumpsOfTheSameSecondAreAllKept) {
    const fs::path folder = fs::temp_directory_path() / ("gx-same-" + std::to_string(getpid())) / "Dumps/";
    fs::remove_all(folder.parent_path());
    std::vector<std::string> dumps;
    // Retried when the second changes between two crashes.
    for (int attempt = 0; attempt < 5; ++attempt) {
        fs::remove_all(folder.parent_path());
        for (int i = 0; i < 3; ++i)
            crashChild(folder, [] { raise(SIGBUS); });
        dumps = dumpsIn(folder);
        if (dumps.size() == 3 && dumps[0].substr(0, 21) == dumps[2].substr(0, 21))
            break;
    }
    ASSERT_EQ(dumps.size(), 3u);
    const std::string stem = dumps[0].substr(0, dumps[0].size() - 4);
    EXPECT_EQ(dumps[1], stem + "-2.dmp");
    EXPECT_EQ(dumps[2], stem + "-3.dmp");
    for (const std::string& name : dumps)
        EXPECT_NE(contents(folder / name).find("signal 7"), std::string::npos) << name;
    fs::remove_all(folder.parent_path());
    EXPECT_EQ(app::CrashDumpFolder().back(), '/') << "dump names are appended to it";
}

}  // namespace
