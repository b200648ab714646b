#include "AlignmentUnlock.h"

#include "AppConfig.h"
#include "CPasswordDlg.h"

#include <QApplication>

bool RunAlignmentUnlock(QWidget* parent, const std::function<void()>& appendEntries) {
    if (QApplication::activeModalWidget())
        return false;
    CPasswordDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const bool firstUnlock = !appConfig().alignmentUnlocked;
    appConfig().alignmentUnlocked = true;
    if (firstUnlock && appendEntries)
        appendEntries();
    return true;
}
