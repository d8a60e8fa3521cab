// Each test case runs in a process of its own, several at once under ctest -j.
// Every process gets a home of its own, so the profile, the data folders and the
// channel locks of one case never meet another's, nor the developer's own.
#pragma once

#include <string>

namespace testsupport {

class IsolatedHome {
public:
    // Makes a fresh folder under /tmp and points HOME and the XDG folders at it.
    IsolatedHome();
    // Removes the folder and everything the tests left in it.
    ~IsolatedHome();
    IsolatedHome(const IsolatedHome&) = delete;
    IsolatedHome& operator=(const IsolatedHome&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace testsupport
