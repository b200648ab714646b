#include "document/RadioSettings.h"

#include "radio/MessageText.h"

namespace {

QString OnOff(bool on) {
    return on ? QStringLiteral("On") : QStringLiteral("Off");
}

// The item whose text is `value` in either language, or kNoSelection.
int ItemOfValue(const std::function<QStringList(Language)>& items, const QString& value) {
    for (Language language : {Language::English, Language::Chinese}) {
        const int index = items(language).indexOf(value);
        if (index >= 0)
            return index;
    }
    return kNoSelection;
}

QString NotOffered(const QString& value, const QStringList& items) {
    return QStringLiteral("\"%1\" is not offered; choose one of: %2")
        .arg(ShortenedForMessage(value), items.join(", "));
}

bool NeedsFixedPriority(const Settings& s, QString* error) {
    if (PriorityFieldsEnabled(s.scan.priority))
        return true;
    *error = QStringLiteral("can be changed only when Priority is Fixed");
    return false;
}

Setting FeatureListSetting(const char* name, FeatureList list) {
    return {name,
            [list](const Settings& s, Language language) {
                return ItemText(FeatureListItems(list, language), s.features[list]);
            },
            [list](Settings& s, const QString& value, QString* error) {
                const auto items = [list](Language l) { return FeatureListItems(list, l); };
                const int index = ItemOfValue(items, value);
                if (index == kNoSelection) {
                    *error = NotOffered(value, items(Language::English));
                    return false;
                }
                s.features[list] = index;
                s.featuresChanged = true;
                return true;
            }};
}

Setting CheckSetting(const char* name, bool OptionalFeatures::*box) {
    return {name, [box](const Settings& s, Language) { return OnOff(s.features.*box); },
            [box](Settings& s, const QString& value, QString* error) {
                if (value.compare(OnOff(true), Qt::CaseInsensitive) != 0 &&
                    value.compare(OnOff(false), Qt::CaseInsensitive) != 0) {
                    *error =
                        QStringLiteral("\"%1\" is not On or Off").arg(ShortenedForMessage(value));
                    return false;
                }
                s.features.*box = value.compare(OnOff(true), Qt::CaseInsensitive) == 0;
                s.featuresChanged = true;
                return true;
            }};
}

Setting PrioritySetting() {
    return {"Priority",
            [](const Settings& s, Language) { return ItemText(PriorityItems(), s.scan.priority); },
            [](Settings& s, const QString& value, QString* error) {
                const int index = PriorityItems().indexOf(value);
                if (index < 0) {
                    *error = NotOffered(value, PriorityItems());
                    return false;
                }
                // As in the dialog, the rules run only when the choice changes.
                if (index != s.scan.priority) {
                    s.scan.priority = index;
                    ApplyPriorityRules(s.scan);
                }
                s.scanChanged = true;
                return true;
            }};
}

Setting PriorityChannelSetting() {
    return {"Priority Channel", [](const Settings& s, Language) { return s.scan.priorityChannel; },
            [](Settings& s, const QString& value, QString* error) {
                if (!NeedsFixedPriority(s, error))
                    return false;
                int channel = 0;
                if (!ReadIntegerText(value, &channel) || channel < 1 ||
                    channel > ImageMap::kChannelCount) {
                    *error = QStringLiteral("\"%1\" is not a channel number 1..16")
                                 .arg(ShortenedForMessage(value));
                    return false;
                }
                s.scan.priorityChannel = PriorityChannelText(channel);
                s.scanChanged = true;
                return true;
            }};
}

Setting LookBackSetting(const char* name, double ScanInfo::*time) {
    return {name, [time](const Settings& s, Language) { return LookBackText(s.scan.*time); },
            [time](Settings& s, const QString& value, QString* error) {
                if (!NeedsFixedPriority(s, error))
                    return false;
                double seconds = 0;
                if (!ReadNumberText(value, &seconds) || seconds < ImageMap::kLookBackMin ||
                    seconds > ImageMap::kLookBackMax) {
                    *error = QStringLiteral("\"%1\" is not a time from 0.5 to 5")
                                 .arg(ShortenedForMessage(value));
                    return false;
                }
                s.scan.*time = ClampLookBack(seconds); // onto the 0.05 s grid, as the field does
                s.scanChanged = true;
                return true;
            }};
}

Setting RevertChannelSetting() {
    return {
        "Revert Channel",
        [](const Settings& s, Language language) {
            return ItemText(RevertChannelItems(s.scan.priority, language), s.scan.revertChannel);
        },
        [](Settings& s, const QString& value, QString* error) {
            const auto items = [&s](Language l) { return RevertChannelItems(s.scan.priority, l); };
            const int index = ItemOfValue(items, value);
            if (index == kNoSelection) {
                *error = NotOffered(value, items(Language::English)) +
                         QStringLiteral(" (with Priority %1)")
                             .arg(ItemText(PriorityItems(), s.scan.priority));
                return false;
            }
            s.scan.revertChannel = index;
            s.scanChanged = true;
            return true;
        }};
}

Setting DelaySetting(const char* name, int ScanInfo::*delay) {
    return {name, [delay](const Settings& s, Language) { return QString::number(s.scan.*delay); },
            [delay](Settings& s, const QString& value, QString* error) {
                int number = 0;
                if (!ReadIntegerText(value, &number) || number < ImageMap::kScanDelayMin ||
                    number > ImageMap::kScanDelayMax) {
                    *error = QStringLiteral("\"%1\" is not a whole number from 0 to 300")
                                 .arg(ShortenedForMessage(value));
                    return false;
                }
                s.scan.*delay = number;
                s.scanChanged = true;
                return true;
            }};
}

} // namespace

const std::vector<Setting>& AllSettings() {
    static const std::vector<Setting> settings = {
        FeatureListSetting("Time-Out Timer", FeatureList::TimeOutTimer),
        FeatureListSetting("TOT Pre-Alert", FeatureList::TotPreAlert),
        FeatureListSetting("Call Tone", FeatureList::CallTone),
        FeatureListSetting("Vox Gain Level", FeatureList::VoxGainLevel),
        FeatureListSetting("Voice Annunciation", FeatureList::VoiceAnnunciation),
        FeatureListSetting("Squelch Level", FeatureList::SquelchLevel),
        FeatureListSetting("Vox Delay Time", FeatureList::VoxDelayTime),
        CheckSetting("Beep", &OptionalFeatures::beep),
        CheckSetting("Battery Saver", &OptionalFeatures::batterySaver),
        FeatureListSetting("Short Press", FeatureList::ShortPress),
        FeatureListSetting("Long Press", FeatureList::LongPress),
        FeatureListSetting("Call Key Define", FeatureList::CallKeyDefine),
        PrioritySetting(),
        PriorityChannelSetting(),
        LookBackSetting("Look Back Time A", &ScanInfo::lookBackTimeA),
        LookBackSetting("Look Back Time B", &ScanInfo::lookBackTimeB),
        RevertChannelSetting(),
        DelaySetting("Dropout Delay Time", &ScanInfo::dropoutDelayTime),
        DelaySetting("Tx Dwell Time", &ScanInfo::txDwellTime),
    };
    return settings;
}

const Setting* FindSetting(const QString& name) {
    for (const Setting& setting : AllSettings()) {
        if (name.compare(QLatin1String(setting.name), Qt::CaseInsensitive) == 0)
            return &setting;
    }
    return nullptr;
}

Settings SettingsFromImage(const RadioImage& image, Language language) {
    Settings s;
    s.features = OptionalFeaturesFromImage(image, language);
    s.scan = ScanInfoFromImage(image);
    return s;
}

std::vector<std::pair<QString, QString>> SettingValues(const RadioImage& image, Language language) {
    const Settings settings = SettingsFromImage(image, language);
    std::vector<std::pair<QString, QString>> values;
    for (const Setting& setting : AllSettings())
        values.emplace_back(QLatin1String(setting.name), setting.show(settings, language));
    return values;
}
