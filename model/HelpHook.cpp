#include "HelpHook.h"

namespace {

HelpHandler& Handler() {
    static HelpHandler handler;
    return handler;
}

} // namespace

void SetHelpHandler(HelpHandler handler) {
    Handler() = std::move(handler);
}

void ShowHelp(int contextId) {
    if (Handler())
        Handler()(contextId);
}
