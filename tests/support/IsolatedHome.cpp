#include "IsolatedHome.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>

namespace testsupport {

IsolatedHome::IsolatedHome() {
    char folder[] = "/tmp/glintrail-test-XXXXXX";
    if (!mkdtemp(folder)) {
        std::perror("cannot make a private home for the test");
        std::exit(2);
    }
    path_ = folder;
    namespace fs = std::filesystem;
    const std::pair<const char*, const char*> folders[] = {
        {"XDG_CONFIG_HOME", "/.config"}, {"XDG_DATA_HOME", "/.local/share"}, {"XDG_RUNTIME_DIR", "/run"}};
    setenv("HOME", path_.c_str(), 1);
    for (const auto& [name, sub] : folders) {
        const std::string where = path_ + sub;
        fs::create_directories(where);
        setenv(name, where.c_str(), 1);
    }
    // The runtime folder must be private, or libraries refuse it.
    fs::permissions(path_ + "/run", fs::perms::owner_all, fs::perm_options::replace);
}

IsolatedHome::~IsolatedHome() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace testsupport
