#include "alignment/AlignmentUnlock.h"

#include "alignment/CPasswordDlg.h"
#include "link/RunSession.h"

#include <QApplication>

bool RunAlignmentUnlock(QWidget* parent, RunSession& session, const Prompts& prompts,
                        Language language, const std::function<void()>& appendEntries) {
    if (QApplication::activeModalWidget())
        return false;
    CPasswordDlg dialog(prompts, language, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const bool firstUnlock = !session.alignmentUnlocked();
    session.unlockAlignment();
    if (firstUnlock && appendEntries)
        appendEntries();
    return true;
}
