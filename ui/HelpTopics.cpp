#include "ui/HelpTopics.h"

#include "ui/CommandIds.h"

namespace {

struct Topic {
    int contextId;
    const char* page;
};

// Control ids repeat between dialogs (the COM Setup buttons and the Optional Features
// lists share numbers), so each id names the one topic of the dialog that asks for it
// by control id; dialogs that ask by their own command id need no control entries.
constexpr Topic kTopics[] = {
    // Files and the window
    {CommandId::kFileNew, "files.html#new"},
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
    {CommandId::kWindowTile, "window.html#windows"},
    {CommandId::kWindowCascade, "window.html#windows"},
    {CommandId::kAppAbout, "index.html"},
    // Connecting and the exchanges with the radio
    {CommandId::kComSetup, "connecting.html#port"},
    {CommandId::kRead, "reading.html"},
    {CommandId::kWrite, "writing.html"},
    // Channel grid (1000) and its in-place editors
    {1000, "channels.html"},
    {2127, "channels.html#frequency"},
    {2128, "channels.html#frequency"},
    {2132, "channels.html#tones"},
    {2133, "channels.html#tones"},
    {1129, "channels.html#columns"},
    {1134, "channels.html#columns"},
    {1139, "channels.html#columns"},
    {1128, "channels.html#columns"},
    {2134, "channels.html#columns"},
    // The grid's editing tools
    {CommandId::kEditUndo, "channels.html#editing"},
    {CommandId::kEditRedo, "channels.html#editing"},
    {CommandId::kEditCopy, "channels.html#editing"},
    {CommandId::kEditCut, "channels.html#editing"},
    {CommandId::kEditPaste, "channels.html#editing"},
    {CommandId::kEditClear, "channels.html#editing"},
    {CommandId::kMoveChannelUp, "channels.html#editing"},
    {CommandId::kMoveChannelDown, "channels.html#editing"},
    // Settings dialogs
    {CommandId::kProductInformation, "settings.html#product"},
    {1013, "settings.html#product"},
    {1014, "settings.html#product"},
    {CommandId::kOptionalFeatures, "settings.html#features"},
    {1005, "settings.html#features"},
    {1009, "settings.html#features"},
    {1010, "settings.html#features"},
    {1011, "settings.html#features"},
    {1016, "settings.html#features"},
    {1116, "settings.html#features"},
    {1117, "settings.html#features"},
    {1118, "settings.html#features"},
    {1119, "settings.html#features"},
    {1121, "settings.html#features"},
    {1123, "settings.html#features"},
    {1130, "settings.html#features"},
    {CommandId::kScanInfo, "settings.html#scan"},
    // Language and alignment
    {CommandId::kLanguage, "language.html"},
    {kPasswordHelpId, "alignment.html"},
    {CommandId::kPowerAdjust, "alignment.html#power"},
    {CommandId::kSqlAdjust, "alignment.html#squelch"},
};

} // namespace

QString HelpTopicFor(int contextId) {
    for (const Topic& topic : kTopics) {
        if (topic.contextId == contextId)
            return QString::fromLatin1(topic.page);
    }
    return QString::fromLatin1(kHelpContentsPage);
}

int DialogHelpContext(int controlId, int dialogContextId) {
    return HelpTopicFor(controlId) == HelpTopicFor(dialogContextId) ? controlId : dialogContextId;
}
