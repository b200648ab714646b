#pragma once
// What the channel view takes from the run's start-up values. The window program hands
// them over when it makes a view (app/ViewFactory); tests give the run they stand for.

#include "config/StartupConfig.h"
#include "radio/Language.h"

#include <QString>

struct ChannelViewRun {
    Language language = Language::English;
    QString iniFilePath;     // Program.ini: the products, the user's store, COM Setup's port
    QString languageName;    // Program.ini's [Setup] Language: which texts the title takes
    QString applicationName; // the caption of the channel lists' messages

    static ChannelViewRun Of(const StartupConfig& config) {
        return {config.language(), config.iniFilePath, config.languageName,
                config.applicationName};
    }
};
