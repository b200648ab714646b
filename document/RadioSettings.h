#pragma once
// The radio settings of the Optional Features and Scan Information dialogs, named by the
// dialogs' labels and valued as they show them: what chprog settings prints and chprog
// set takes, and what a comparison of two images names.

#include "radio/Language.h"
#include "radio/OptionalFeatures.h"
#include "radio/RadioImage.h"
#include "radio/ScanInfo.h"

#include <QString>
#include <functional>
#include <utility>
#include <vector>

// What both dialogs show for one image, and which of them would be closed with OK.
struct Settings {
    OptionalFeatures features;
    ScanInfo scan;
    bool featuresChanged = false;
    bool scanChanged = false;
};

// One setting: its label, how its value is shown, and how a typed value is taken
// (false, with `error` set, when the dialog would not accept it).
struct Setting {
    const char* name;
    std::function<QString(const Settings&, Language)> show;
    std::function<bool(Settings&, const QString&, QString* error)> set;
};

// Both dialogs' settings in the order of their labels.
const std::vector<Setting>& AllSettings();
// The setting named `name` in any case, or null.
const Setting* FindSetting(const QString& name);
Settings SettingsFromImage(const RadioImage& image, Language language);

// The settings as chprog settings prints them: (name, value) in its order.
std::vector<std::pair<QString, QString>> SettingValues(const RadioImage& image, Language language);
