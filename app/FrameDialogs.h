#pragma once
// The dialogs the main window opens on the active document and for the run: Product
// Information, Optional Features, Power Adjust, Sql Adjust, Language and About. Product
// Information, Optional Features and Language are made once and run again on every
// request; their help goes to the main window's help.

#include "ui/TransferController.h"

class CLanguageDlg;
class CMainFrame;
class COptionalFeaturesDlg;
class CProductInfoDlg;

class FrameDialogs {
public:
    explicit FrameDialogs(CMainFrame& frame) : m_frame(frame) {}

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

private:
    // The session, prompts, language and Program.ini of the adjust dialogs' exchanges.
    TransferContext adjustContext();

    CMainFrame& m_frame;
    CProductInfoDlg* m_productInfo = nullptr;           // owned by the frame
    COptionalFeaturesDlg* m_optionalFeatures = nullptr; // owned by the frame
    CLanguageDlg* m_language = nullptr;                 // owned by the frame
};
