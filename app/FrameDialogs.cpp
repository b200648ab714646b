#include "app/FrameDialogs.h"
#include "document/ChannelEdit.h"

#include "alignment/CPowerAdjustDlg.h"
#include "alignment/CSqlAdjustDlg.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/COptionalFeaturesDlg.h"
#include "dialogs/FleetStationDlg.h"
#include "dialogs/CProductInfoDlg.h"
#include "dialogs/LanguageDlg.h"
#include "document/EditLabels.h"
#include "document/ProgramDoc.h"
#include "editor/DocumentView.h"
#include "ui/CommandIds.h"
#include "ui/HelpTopics.h"
#include "ui/Prompts.h"

void FrameDialogs::productInformation() {
    DocumentView* view = m_context.activeView();
    if (!view || !view->document())
        return;
    if (!m_productInfo) {
        m_productInfo =
            new CProductInfoDlg(m_context.iniFilePath, m_context.language, m_context.window);
        m_productInfo->helpRequested = [this](int controlId) {
            m_context.showHelp(DialogHelpContext(controlId, CommandId::kProductInformation));
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
        m_context.prompts->showError(m_context.window,
                                     ChannelsOutsideBandMessage(outside, m_context.language));
}

void FrameDialogs::optionalFeatures() {
    CProgramDoc* doc = m_context.activeDocument();
    if (!doc)
        return;
    if (!m_optionalFeatures) {
        m_optionalFeatures = new COptionalFeaturesDlg(m_context.window, m_context.language);
        m_optionalFeatures->helpRequested = [this](int controlId) {
            m_context.showHelp(DialogHelpContext(controlId, CommandId::kOptionalFeatures));
        };
    }
    RadioImage image = doc->image();
    if (m_optionalFeatures->run(image))
        doc->edit(EditLabel(EditKind::OptionalFeatures, m_context.language),
                  [&image](RadioImage& target) { target = image; });
}

TransferContext FrameDialogs::adjustContext() const {
    return {*m_context.session, *m_context.prompts, m_context.language, m_context.iniFilePath};
}

void FrameDialogs::powerAdjust() {
    DocumentView* view = m_context.activeView();
    if (!view || !view->document())
        return;
    CPowerAdjustDlg dialog(view->document(), view->bandLimits(), adjustContext(), m_context.window);
    dialog.exec();
}

void FrameDialogs::sqlAdjust() {
    DocumentView* view = m_context.activeView();
    if (!view || !view->document())
        return;
    CSqlAdjustDlg dialog(view->document(), view->bandLimits(), adjustContext(), m_context.window);
    dialog.exec();
}

bool FrameDialogs::languageChanged() {
    if (!m_language) {
        m_language = new CLanguageDlg(m_context.language, *m_context.prompts, m_context.window);
    }
    return m_language->exec() == QDialog::Accepted && m_language->languageChanged();
}

void FrameDialogs::about() {
    CAboutDlg dialog(m_context.programDirectory, m_context.window);
    dialog.exec();
}

void FrameDialogs::fleetStation() {
    FleetStationContext context;
    context.prompts = m_context.prompts;
    context.language = m_context.language;
    context.iniFilePath = m_context.iniFilePath;
    if (CProgramDoc* doc = m_context.activeDocument()) {
        context.documentImage = doc->image();
        context.documentName = doc->pathName().isEmpty() ? doc->title(m_context.language)
                                                         : doc->pathName();
    }
    FleetStationDlg dialog(std::move(context), m_context.window);
    dialog.exec();
}
