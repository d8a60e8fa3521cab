#include "PluginLibrary.h"

namespace plc {

PluginLibrary::PluginLibrary(const QString& fileName) : library_(fileName) {
    if (library_.load())
        factory_ = reinterpret_cast<CreateObjectProc>(library_.resolve(kFactorySymbol));
}

PluginLibrary::~PluginLibrary() {
    if (library_.isLoaded())
        library_.unload();
}

std::unique_ptr<PoCLDialog> PluginLibrary::createPoCLDialog() const {
    if (!factory_)
        return nullptr;
    return std::unique_ptr<PoCLDialog>(static_cast<PoCLDialog*>(factory_(kPoCLClass)));
}

std::unique_ptr<PLCTestDialog> PluginLibrary::createPLCTestDialog() const {
    if (!factory_)
        return nullptr;
    return std::unique_ptr<PLCTestDialog>(static_cast<PLCTestDialog*>(factory_(kPLCTestClass)));
}

}  // namespace plc
