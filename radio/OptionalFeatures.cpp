#include "radio/OptionalFeatures.h"

using namespace ImageMap;

namespace {

struct KeyFunction {
    const char* english;
    const char* chinese;
};

// Indexed by code.
constexpr KeyFunction kKeyFunctions[kKeyFunctionCount] = {
    {"None", "無"},
    {"Monitor", "監聽"},
    {"Monitor Momentary", "監聽瞬時"},
    {"Cancel Squelch", "取消靜噪"},
    {"Momentary Cancel Squelch", "瞬時取消靜噪"},
    {"Emergency", "緊急報警"},
    {"Tone Call", "鈴音呼叫"},
    {"Scan", "掃描"},
    {"Priority Scan", "優先掃描"},
    {"Power Select", "功率選擇"},
    {"Vox On/Off", "聲控開關"},
};

// Items of the hidden Call Key Define list, and the byte each one stores.
constexpr int kCallKeyOffItem = 0;
constexpr int kCallKeyCallItem = 1;
constexpr int kCallKeyEmergencyItem = 2;
constexpr int kCallKeyCallCode = 0;
constexpr int kCallKeyEmergencyCode = 1;
constexpr int kCallKeyOffCode = 2;

QStringList Numbers(int first, int last) {
    QStringList items;
    for (int n = first; n <= last; ++n)
        items << QString::number(n);
    return items;
}

// "Off" followed by the numbers 1..last.
QStringList OffThenNumbers(int last, Language language) {
    return QStringList{Tr(language, "Off", "關")} + Numbers(1, last);
}

QStringList TimeOutTimerItems() {
    constexpr int kSteps = 40;
    constexpr int kSecondsPerStep = 15;
    QStringList items;
    for (int i = 1; i <= kSteps; ++i)
        items << QStringLiteral("%1s").arg(kSecondsPerStep * i);
    return items;
}

QStringList KeyFunctionItems(FeatureList list, Language language) {
    QStringList items;
    for (int code : KeyFunctionCodes(list))
        items << KeyFunctionName(code, code, language);
    return items;
}

int ListSize(FeatureList list) {
    return FeatureListItems(list, Language::English).size();
}

// Selection of a list whose field holds the item index.
int IndexField(const RadioImage& image, int offset, unsigned char bits, FeatureList list) {
    return IndexInList(image[offset] & bits, ListSize(list));
}

// Replaces the `bits` of the byte at `offset` with `value`, keeping the others.
void WriteBits(RadioImage& image, int offset, unsigned char bits, int value) {
    image[offset] = static_cast<std::uint8_t>((image[offset] & ~bits) | (value & bits));
}

// A field holding item index + `bias`; a list without a selection leaves it alone.
void WriteSelection(RadioImage& image, int offset, unsigned char bits, int selection,
                    int bias = 0) {
    if (selection != kNoSelection)
        WriteBits(image, offset, bits, selection + bias);
}

int KeyListSelection(FeatureList list, int storedCode, int defaultCode, Language language) {
    return FindItemWithPrefix(KeyFunctionItems(list, language),
                              KeyFunctionName(storedCode, defaultCode, language));
}

int KeyCodeOfSelection(FeatureList list, int selection, int defaultCode) {
    const std::vector<int>& codes = KeyFunctionCodes(list);
    return selection >= 0 && selection < static_cast<int>(codes.size()) ? codes[selection]
                                                                        : defaultCode;
}

} // namespace

QStringList FeatureListItems(FeatureList list, Language language) {
    switch (list) {
    case FeatureList::TimeOutTimer:
        return TimeOutTimerItems();
    case FeatureList::TotPreAlert:
        return OffThenNumbers(10, language);
    case FeatureList::CallTone:
    case FeatureList::VoxGainLevel:
        return OffThenNumbers(15, language);
    case FeatureList::VoiceAnnunciation:
        return {Tr(language, "Off", "關"), Tr(language, "Chinese", "中文"),
                Tr(language, "English", "英文")};
    case FeatureList::SquelchLevel:
        return Numbers(0, 9);
    case FeatureList::VoxDelayTime:
        return {QStringLiteral("0.3"), QStringLiteral("0.5"), QStringLiteral("1.0"),
                QStringLiteral("1.5"), QStringLiteral("2.0"), QStringLiteral("3.0")};
    case FeatureList::ShortPress:
    case FeatureList::LongPress:
        return KeyFunctionItems(list, language);
    case FeatureList::CallKeyDefine:
        return {Tr(language, "Off", "關"), Tr(language, "Call", "呼叫"),
                Tr(language, "Emergency Alert", "緊急報警")};
    }
    return {};
}

OptionalFeatures OptionalFeaturesFromImage(const RadioImage& image, Language language) {
    OptionalFeatures f;
    // Fields that hold index + 1.
    f[FeatureList::TimeOutTimer] = IndexInList((image[kTimeOutTimer] & kTimeOutTimerBits) - 1,
                                               ListSize(FeatureList::TimeOutTimer));
    f[FeatureList::TotPreAlert] = IndexInList((image[kTotPreAlert] & kTotPreAlertBits) - 1,
                                              ListSize(FeatureList::TotPreAlert));
    f[FeatureList::SquelchLevel] =
        IndexField(image, kSquelchLevel, kSquelchLevelBits, FeatureList::SquelchLevel);
    f[FeatureList::VoxGainLevel] =
        IndexField(image, kVoxGain, kVoxGainBits, FeatureList::VoxGainLevel);
    f[FeatureList::VoxDelayTime] =
        IndexField(image, kVoxDelay, kVoxDelayBits, FeatureList::VoxDelayTime);
    f[FeatureList::CallTone] = IndexField(image, kCallTone, 0xFF, FeatureList::CallTone);
    f.beep = image[kBeep] & kBeepBit;
    f.batterySaver = image[kBatterySaver] & kBatterySaverBit;

    // Voice Annunciation falls back to "Off" rather than showing nothing.
    const int voice = IndexField(image, kVoiceAnnunciation, 0xFF, FeatureList::VoiceAnnunciation);
    f[FeatureList::VoiceAnnunciation] = voice == kNoSelection ? 0 : voice;

    switch (image[kCallKeyDefine]) {
    case kCallKeyCallCode:
        f[FeatureList::CallKeyDefine] = kCallKeyCallItem;
        break;
    case kCallKeyEmergencyCode:
        f[FeatureList::CallKeyDefine] = kCallKeyEmergencyItem;
        break;
    default:
        f[FeatureList::CallKeyDefine] = kCallKeyOffItem;
    }

    // The lists are searched by name, so "Monitor" finds "Monitor" before "Monitor
    // Momentary", and a code the Short Press list lacks (2, 4) finds nothing.
    f[FeatureList::ShortPress] = KeyListSelection(FeatureList::ShortPress, image[kShortPressKey],
                                                  kShortPressDefaultCode, language);
    f[FeatureList::LongPress] = KeyListSelection(FeatureList::LongPress, image[kLongPressKey],
                                                 kLongPressDefaultCode, language);
    return f;
}

void OptionalFeaturesToImage(const OptionalFeatures& shown, const OptionalFeatures& f,
                             RadioImage& image) {
    const auto changed = [&](FeatureList list) { return f[list] != shown[list]; };
    const auto writeList = [&](FeatureList list, int offset, unsigned char bits, int bias = 0) {
        if (changed(list))
            WriteSelection(image, offset, bits, f[list], bias);
    };
    writeList(FeatureList::TimeOutTimer, kTimeOutTimer, kTimeOutTimerBits, 1);
    writeList(FeatureList::TotPreAlert, kTotPreAlert, kTotPreAlertBits, 1);
    writeList(FeatureList::SquelchLevel, kSquelchLevel, kSquelchLevelBits);
    if (f.beep != shown.beep)
        WriteBits(image, kBeep, kBeepBit, f.beep ? kBeepBit : 0);
    writeList(FeatureList::VoxGainLevel, kVoxGain, kVoxGainBits);
    writeList(FeatureList::VoxDelayTime, kVoxDelay, kVoxDelayBits);
    if (f.batterySaver != shown.batterySaver)
        WriteBits(image, kBatterySaver, kBatterySaverBit, f.batterySaver ? kBatterySaverBit : 0);
    writeList(FeatureList::CallTone, kCallTone, 0xFF);
    writeList(FeatureList::VoiceAnnunciation, kVoiceAnnunciation, 0xFF);

    if (changed(FeatureList::CallKeyDefine)) {
        switch (f[FeatureList::CallKeyDefine]) {
        case kCallKeyCallItem:
            image[kCallKeyDefine] = kCallKeyCallCode;
            break;
        case kCallKeyEmergencyItem:
            image[kCallKeyDefine] = kCallKeyEmergencyCode;
            break;
        default:
            image[kCallKeyDefine] = kCallKeyOffCode;
        }
    }
    if (changed(FeatureList::ShortPress))
        image[kShortPressKey] = static_cast<std::uint8_t>(KeyCodeOfSelection(
            FeatureList::ShortPress, f[FeatureList::ShortPress], kShortPressDefaultCode));
    if (changed(FeatureList::LongPress))
        image[kLongPressKey] = static_cast<std::uint8_t>(KeyCodeOfSelection(
            FeatureList::LongPress, f[FeatureList::LongPress], kLongPressDefaultCode));
}

QString KeyFunctionName(int code, int defaultCode, Language language) {
    const int shown = code >= 0 && code < kKeyFunctionCount ? code : defaultCode;
    return Tr(language, kKeyFunctions[shown].english, kKeyFunctions[shown].chinese);
}

int KeyFunctionCode(const QString& name, int defaultCode, Language language) {
    for (int code = 0; code < kKeyFunctionCount; ++code) {
        if (name == KeyFunctionName(code, code, language))
            return code;
    }
    return defaultCode;
}

const std::vector<int>& KeyFunctionCodes(FeatureList list) {
    // The short press cannot hold a momentary function: those need the key held.
    static const std::vector<int> shortPress = {0, 1, 3, 5, 6, 7, 8, 9, 10};
    static const std::vector<int> longPress = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    static const std::vector<int> none;
    if (list == FeatureList::ShortPress)
        return shortPress;
    if (list == FeatureList::LongPress)
        return longPress;
    return none;
}

FeatureKeyAction OptionalFeaturesKeyAction(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_F1)
        return FeatureKeyAction::HelpThenProcess;
    const bool digit = key >= Qt::Key_0 && key <= Qt::Key_9; // main keyboard and keypad
    const bool editing = key == Qt::Key_Backspace || key == Qt::Key_Delete;
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if ((digit || editing || arrow) && !(modifiers & Qt::ShiftModifier))
        return FeatureKeyAction::Process;
    return FeatureKeyAction::Swallow;
}
