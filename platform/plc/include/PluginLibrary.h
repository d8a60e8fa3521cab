// Loads the PLC plug-in when it is installed and creates its objects by class name.
#pragma once

#include <QLibrary>
#include <memory>

#include "plc.h"

namespace plc {

class PluginLibrary {
public:
    // Tries to load the library; an absent library leaves it unloaded, silently.
    explicit PluginLibrary(const QString& fileName = QString::fromLatin1(kLibraryName));
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool isLoaded() const { return factory_ != nullptr; }
    std::unique_ptr<PoCLDialog> createPoCLDialog() const;
    std::unique_ptr<PLCTestDialog> createPLCTestDialog() const;

private:
    QLibrary library_;
    CreateObjectProc factory_ = nullptr;
};

}  // namespace plc
