#include "ui/HelpTopics.h"

#include "ui/CommandIds.h"

namespace {

struct Topic {
    int contextId;
    const char* page;
};

// Menu commands and the channel grid's controls. The fields of dialogs are in
// kFieldTopics: control ids repeat between dialogs, so a control id alone cannot name
// a field's topic.
constexpr Topic kTopics[] = {
    // Files and the window
    {CommandId::kFileNew, "files.html#new"},
    {CommandId::kFileNewFromPlan, "files.html#new-from-plan"},
    {CommandId::kFileOpen, "files.html#open"},
    {CommandId::kFileClose, "window.html#channel-window"},
    {CommandId::kFileSave, "files.html#save"},
    {CommandId::kFileSaveAs, "files.html#save"},
    {CommandId::kFilePrint, "files.html#print"},
    {CommandId::kFilePrintDirect, "files.html#print"},
    {CommandId::kFilePrintPreview, "files.html#print"},
    {CommandId::kFilePrintSetup, "files.html#print"},
    {CommandId::kAppExit, "files.html#unsaved"},
    {CommandId::kViewToolbar, "window.html"},
    {CommandId::kViewStatusBar, "window.html"},
    {CommandId::kViewControlBar, "window.html#navigation"},
    {CommandId::kChannelInformation, "window.html#channel-window"},
    {CommandId::kImportChannels, "channels.html#lists"},
    {CommandId::kExportChannels, "channels.html#lists"},
    {CommandId::kCheckAgainstPlan, "channels.html#check-plan"},
    {CommandId::kWindowTile, "window.html#windows"},
    {CommandId::kWindowCascade, "window.html#windows"},
    {CommandId::kAppAbout, "index.html"},
    // Connecting and the exchanges with the radio
    {CommandId::kComSetup, "connecting.html#port"},
    {CommandId::kRead, "reading.html"},
    {CommandId::kWrite, "writing.html"},
    {CommandId::kFleetStation, "station.html"},
    {CommandId::kShowChangesBeforeWriting, "writing.html#preview"},
    {CommandId::kVerifyAfterWriting, "writing.html#verify"},
    {CommandId::kRestoreRadio, "writing.html#restore"},
    // Channel grid (1000) and its in-place editors
    {1000, "channels.html"},
    {2127, "channels.html#frequency"},
    {2128, "channels.html#frequency"},
    {2132, "channels.html#tones"},
    {2133, "channels.html#tones"},
    {1129, "channels.html#power"},
    {1134, "channels.html#scan-add"},
    {1139, "channels.html#busy-lock"},
    {1128, "channels.html#bandwidth"},
    {2134, "channels.html#compand"},
    // The grid's editing tools
    {CommandId::kEditUndo, "channels.html#editing"},
    {CommandId::kEditRedo, "channels.html#editing"},
    {CommandId::kEditCopy, "channels.html#editing"},
    {CommandId::kEditCut, "channels.html#editing"},
    {CommandId::kEditPaste, "channels.html#editing"},
    {CommandId::kEditClear, "channels.html#editing"},
    {CommandId::kMoveChannelUp, "channels.html#editing"},
    {CommandId::kMoveChannelDown, "channels.html#editing"},
    {CommandId::kSetForSelection, "channels.html#editing"},
    {CommandId::kFillDown, "channels.html#editing"},
    {CommandId::kFrequencySeries, "channels.html#editing"},
    {CommandId::kSortByFrequency, "channels.html#editing"},
    {CommandId::kFindDuplicates, "channels.html#editing"},
    {CommandId::kCompactChannels, "channels.html#editing"},
    // Settings dialogs
    {CommandId::kProductInformation, "settings.html#product"},
    {CommandId::kOptionalFeatures, "settings.html#features"},
    {CommandId::kScanInfo, "settings.html#scan"},
    // Language and alignment
    {CommandId::kLanguage, "language.html"},
    {kPasswordHelpId, "alignment.html"},
    {CommandId::kPowerAdjust, "alignment.html#power"},
    {CommandId::kSqlAdjust, "alignment.html#squelch"},
};

struct FieldTopic {
    int dialogContextId;
    int controlId;
    const char* page;
};

// The fields of the settings dialogs that have a part of the page of their own.
constexpr FieldTopic kFieldTopics[] = {
    {CommandId::kProductInformation, 1013, "settings.html#product"},
    {CommandId::kProductInformation, 1014, "settings.html#band"},
    {CommandId::kOptionalFeatures, 1118, "settings.html#time-out-timer"},
    {CommandId::kOptionalFeatures, 1130, "settings.html#tot-pre-alert"},
    {CommandId::kOptionalFeatures, 1116, "settings.html#squelch-level"},
    {CommandId::kOptionalFeatures, 1119, "settings.html#call-tone"},
    {CommandId::kOptionalFeatures, 1121, "settings.html#vox"},
    {CommandId::kOptionalFeatures, 1123, "settings.html#vox"},
    {CommandId::kOptionalFeatures, 1117, "settings.html#voice"},
    {CommandId::kOptionalFeatures, 1016, "settings.html#beep"},
    {CommandId::kOptionalFeatures, 1005, "settings.html#battery-saver"},
    {CommandId::kOptionalFeatures, 1010, "settings.html#side-key"},
    {CommandId::kOptionalFeatures, 1011, "settings.html#side-key"},
    {CommandId::kOptionalFeatures, 1009, "settings.html#features"},
    {CommandId::kScanInfo, 1001, "settings.html#priority"},
    {CommandId::kScanInfo, 1003, "settings.html#priority-channel"},
    {CommandId::kScanInfo, 1004, "settings.html#look-back"},
    {CommandId::kScanInfo, 1005, "settings.html#look-back"},
    {CommandId::kScanInfo, 1002, "settings.html#revert"},
    {CommandId::kScanInfo, 1006, "settings.html#dropout"},
    {CommandId::kScanInfo, 1007, "settings.html#dwell"},
};

// A field's context is an id of its own, above every command and control id.
constexpr int kFieldContextBase = 0x1000000;
constexpr int kFieldTopicCount = int(sizeof kFieldTopics / sizeof kFieldTopics[0]);

const char* FieldPage(int contextId) {
    const int index = contextId - kFieldContextBase;
    return index >= 0 && index < kFieldTopicCount ? kFieldTopics[index].page : nullptr;
}

} // namespace

QString HelpTopicFor(int contextId) {
    if (const char* page = FieldPage(contextId))
        return QString::fromLatin1(page);
    for (const Topic& topic : kTopics) {
        if (topic.contextId == contextId)
            return QString::fromLatin1(topic.page);
    }
    return QString::fromLatin1(kHelpContentsPage);
}

QStringList AllHelpTopics() {
    QStringList topics{QString::fromLatin1(kHelpContentsPage)};
    const auto add = [&topics](const char* page) {
        if (!topics.contains(QLatin1String(page)))
            topics << QString::fromLatin1(page);
    };
    for (const Topic& topic : kTopics)
        add(topic.page);
    for (const FieldTopic& field : kFieldTopics)
        add(field.page);
    return topics;
}

int DialogHelpContext(int controlId, int dialogContextId) {
    for (int index = 0; index < kFieldTopicCount; ++index) {
        const FieldTopic& field = kFieldTopics[index];
        if (field.dialogContextId == dialogContextId && field.controlId == controlId)
            return kFieldContextBase + index;
    }
    return dialogContextId;
}
