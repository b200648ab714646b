#pragma once
// Numeric ids of the menu commands. The window program keeps each id on its menu
// action (QAction::data()), the help topics are keyed by them, and the channel view
// receives the commands routed to it by these numbers.

namespace CommandId {

// File
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileClose = 57602;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kFilePrintSetup = 57606;
constexpr int kFilePrint = 57607;
constexpr int kFilePrintDirect = 57608;
constexpr int kFilePrintPreview = 57609;
constexpr int kAppExit = 57665;
// Channel lists as CSV files (our own commands, after Save As).
constexpr int kImportChannels = 32810;
constexpr int kExportChannels = 32811;
// A new document from a channel plan (after New).
constexpr int kFileNewFromPlan = 32830;

// Edit
constexpr int kProductInformation = 32786;
constexpr int kChannelInformation = 32787;
constexpr int kOptionalFeatures = 32788;
constexpr int kPowerAdjust = 32783;
constexpr int kSqlAdjust = 32784;

// Editing tools of the channel grid (its context menu, the tool bar and the usual keys)
constexpr int kEditClear = 57632;
constexpr int kEditCopy = 57634;
constexpr int kEditCut = 57635;
constexpr int kEditPaste = 57637;
constexpr int kEditUndo = 57643;
constexpr int kEditRedo = 57644;
constexpr int kMoveChannelUp = 32800;
constexpr int kMoveChannelDown = 32801;
// Tools for many channels (the grid's context menu and the Edit menu)
constexpr int kSetForSelection = 32820;
constexpr int kFillDown = 32821;
constexpr int kFrequencySeries = 32822;
constexpr int kSortByFrequency = 32823;
constexpr int kFindDuplicates = 32824;
constexpr int kCompactChannels = 32825;

// Program
constexpr int kRead = 32773;
constexpr int kWrite = 32774;
constexpr int kScanInfo = 32782;
constexpr int kCheckAgainstPlan = 32831;
constexpr int kFleetStation = 32840;
// The Write's two choices (checkable) and writing a backup back.
constexpr int kShowChangesBeforeWriting = 32843;
constexpr int kVerifyAfterWriting = 32844;
constexpr int kRestoreRadio = 32845;

// View
constexpr int kViewToolbar = 59392;
constexpr int kViewStatusBar = 59393;
constexpr int kViewControlBar = 32780;

// Setup
constexpr int kComSetup = 32777;
constexpr int kLanguage = 32799;

// Window
constexpr int kWindowCascade = 57650;
constexpr int kWindowTile = 57651;

// Help
constexpr int kAppAbout = 57664;
constexpr int kHelp = 57670;

} // namespace CommandId
