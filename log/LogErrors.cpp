#include "log/LogErrors.h"

namespace logengine {
namespace {

ErrorHook& hook() {
    static ErrorHook h;
    return h;
}

}  // namespace

ErrorHook SetErrorHook(ErrorHook h) {
    ErrorHook previous = std::move(hook());
    hook() = std::move(h);
    return previous;
}

void ReportError(const std::string& caption, const std::string& text) {
    if (hook())
        hook()(caption, text);
}

}  // namespace logengine
