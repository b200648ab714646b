#pragma once
// The radio's general settings that are not channel data: time-out timer, squelch,
// voice annunciation, VOX, call tone, beep, battery saver and the functions of the
// side key. OptionalFeatures holds what the Optional Features dialog shows (a list
// index per list, the two check states); the two conversions are what the dialog
// does when it opens and when OK is pressed.

#include "radio/Language.h"
#include "radio/ListSelection.h"
#include "radio/RadioImage.h"

#include <QStringList>
#include <array>
#include <vector>

// The lists of the dialog, in the order of its labels.
enum class FeatureList {
    TimeOutTimer,
    TotPreAlert,
    CallTone,
    VoxGainLevel,
    VoiceAnnunciation,
    SquelchLevel,
    VoxDelayTime,
    ShortPress,
    LongPress,
    CallKeyDefine, // filled and written, but hidden from the user
};
constexpr int kFeatureListCount = 10;

// The items of `list` in display order, in `language`.
QStringList FeatureListItems(FeatureList list, Language language);

struct OptionalFeatures {
    std::array<int, kFeatureListCount> selection; // item index per list, or kNoSelection
    bool beep = false;
    bool batterySaver = false;

    OptionalFeatures() { selection.fill(kNoSelection); }
    int& operator[](FeatureList list) { return selection[static_cast<int>(list)]; }
    int operator[](FeatureList list) const { return selection[static_cast<int>(list)]; }
};

// What the dialog shows when it opens on `image`. The key lists are searched by
// name in `language`, as the dialog's own lists are.
OptionalFeatures OptionalFeaturesFromImage(const RadioImage& image, Language language);

// What OK writes: the fields whose choice differs from `shown`, what the dialog showed
// when it opened. A field the user left alone keeps its bits (a value no list offers
// too), and bits outside the settings' fields keep theirs. A changed key function or
// Call Key Define is written as its code; a list without a selection leaves its field.
void OptionalFeaturesToImage(const OptionalFeatures& shown, const OptionalFeatures& chosen,
                             RadioImage& image);

// Key functions of the side key: the code is the index into the name table.
constexpr int kShortPressDefaultCode = 6; // "Tone Call"
constexpr int kLongPressDefaultCode = 2;  // "Monitor Momentary"

// Codes 0..10 give their name; any other code the name of `defaultCode`.
QString KeyFunctionName(int code, int defaultCode, Language language);
// The code whose name in `language` equals `name` exactly; otherwise `defaultCode`.
int KeyFunctionCode(const QString& name, int defaultCode, Language language);
// The codes the Short Press or Long Press list offers, in list order.
const std::vector<int>& KeyFunctionCodes(FeatureList list);

// The dialog takes only digits, Backspace, Delete and the arrows (not with Shift),
// so that a list can be chosen from by typing its number; F1 asks for help. Every
// other key, Enter, Escape, Tab and Space included, is dropped.
enum class FeatureKeyAction { Process, Swallow, HelpThenProcess };
FeatureKeyAction OptionalFeaturesKeyAction(int key, Qt::KeyboardModifiers modifiers);
