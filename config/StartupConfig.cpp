#include "config/StartupConfig.h"

namespace {

StartupConfig& Values() {
    static StartupConfig config;
    return config;
}

} // namespace

const StartupConfig& startupConfig() {
    return Values();
}

void SetStartupConfig(const StartupConfig& config) {
    Values() = config;
}

StartupConfig& StartupConfigForTests() {
    return Values();
}
