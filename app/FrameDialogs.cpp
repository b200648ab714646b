#include "app/FrameDialogs.h"
#include "document/ChannelEdit.h"

#include "dialogs/AboutDlg.h"
#include "dialogs/COptionalFeaturesDlg.h"
#include "alignment/CPowerAdjustDlg.h"
#include "dialogs/CProductInfoDlg.h"
#include "alignment/CSqlAdjustDlg.h"
#include "ui/CommandIds.h"
#include "editor/DocumentView.h"
#include "document/EditLabels.h"
#include "ui/HelpTopics.h"
#include "dialogs/LanguageDlg.h"
#include "app/MainFrame.h"
#include "document/ProgramDoc.h"
#include "config/StartupConfig.h"

void FrameDialogs::productInformation() {
    DocumentView* view = m_frame.activeDocumentView();
    if (!view || !view->document())
        return;
    if (!m_productInfo) {
        m_productInfo = new CProductInfoDlg(startupConfig().iniFilePath,
                                            startupConfig().language(), &m_frame);
        m_productInfo->helpRequested = [this](int controlId) {
            m_frame.showHelp(DialogHelpContext(controlId, CommandId::kProductInformation));
        };
    }
    const BandLimits bandBefore = view->bandLimits();
    if (!m_productInfo->run(*view->document()))
        return;
    view->applyProduct(m_productInfo->selection(), ProductTitleForm::AfterDialog);
    // Channels of the old band are kept; the user hears once how many they are.
    const BandLimits band = view->bandLimits();
    if (band.low == bandBefore.low && band.high == bandBefore.high)
        return;
    const int outside = ChannelsOutsideBand(view->document()->image(), band);
    if (outside > 0)
        m_frame.prompts().showError(
            &m_frame, ChannelsOutsideBandMessage(outside, startupConfig().language()));
}

void FrameDialogs::optionalFeatures() {
    CProgramDoc* doc = m_frame.activeDocument();
    if (!doc)
        return;
    if (!m_optionalFeatures) {
        m_optionalFeatures = new COptionalFeaturesDlg(&m_frame, startupConfig().language());
        m_optionalFeatures->helpRequested = [this](int controlId) {
            m_frame.showHelp(DialogHelpContext(controlId, CommandId::kOptionalFeatures));
        };
    }
    RadioImage image = doc->image();
    if (m_optionalFeatures->run(image))
        doc->edit(EditLabel(EditKind::OptionalFeatures, startupConfig().language()),
                  [&image](RadioImage& target) { target = image; });
}

TransferContext FrameDialogs::adjustContext() {
    const StartupConfig& run = startupConfig();
    return {m_frame.session(), m_frame.prompts(), run.language(), run.iniFilePath};
}

void FrameDialogs::powerAdjust() {
    DocumentView* view = m_frame.activeDocumentView();
    if (!view || !view->document())
        return;
    CPowerAdjustDlg dialog(view->document(), view->bandLimits(), adjustContext(), &m_frame);
    dialog.exec();
}

void FrameDialogs::sqlAdjust() {
    DocumentView* view = m_frame.activeDocumentView();
    if (!view || !view->document())
        return;
    CSqlAdjustDlg dialog(view->document(), view->bandLimits(), adjustContext(), &m_frame);
    dialog.exec();
}

bool FrameDialogs::languageChanged() {
    if (!m_language) {
        m_language = new CLanguageDlg(startupConfig().language(), m_frame.prompts(), &m_frame);
    }
    return m_language->exec() == QDialog::Accepted && m_language->languageChanged();
}

void FrameDialogs::about() {
    CAboutDlg dialog(startupConfig().programDirectory, &m_frame);
    dialog.exec();
}
