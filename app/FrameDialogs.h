#pragma once
// The dialogs the main window opens on the active document and for the run: Product
// Information, Optional Features, Power Adjust, Sql Adjust, Language, About and the fleet
// station. Product
// Information, Optional Features and Language are made once and run again on every
// request; their help goes to the main window's help.

#include "ui/HelpHook.h"
#include "ui/TransferController.h"

#include <functional>

class CLanguageDlg;
class CProgramDoc;
class COptionalFeaturesDlg;
class CProductInfoDlg;
class DocumentView;

// What the dialogs work on and with, handed over by the main window.
struct FrameDialogsContext {
    QWidget* window = nullptr;        // the parent (and owner) of the dialogs
    RunSession* session = nullptr;    // the adjust dialogs' exchanges
    const Prompts* prompts = nullptr; // their messages and questions
    Language language = Language::English;
    QString iniFilePath;      // Program.ini: the product lists, the adjust exchanges
    QString programDirectory; // where About finds its picture
    HelpHandler showHelp;
    std::function<CProgramDoc*()> activeDocument; // null while no document is open
    std::function<DocumentView*()> activeView;    // the same, as it takes commands
};

class FrameDialogs {
public:
    explicit FrameDialogs(FrameDialogsContext context) : m_context(std::move(context)) {}

    // The product of the active document; a band change tells how many channels now
    // lie outside it.
    void productInformation();
    void optionalFeatures();
    // The adjust dialogs work on the active document with the band of its view.
    void powerAdjust();
    void sqlAdjust();
    // True when the user chose the other language (the main window then restarts).
    bool languageChanged();
    void about();
    // The fleet station, with the active document's image when one is open.
    void fleetStation();

private:
    // The session, prompts, language and Program.ini of the adjust dialogs' exchanges.
    TransferContext adjustContext() const;

    FrameDialogsContext m_context;
    CProductInfoDlg* m_productInfo = nullptr;           // owned by the window
    COptionalFeaturesDlg* m_optionalFeatures = nullptr; // owned by the window
    CLanguageDlg* m_language = nullptr;                 // owned by the window
};
