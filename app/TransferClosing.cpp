#include "app/TransferClosing.h"

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "radio/OwnTexts.h"
#include "editor/DocumentView.h"

#include <QTimer>
#include <vector>

bool TransferClosing::mayClose(const std::function<void()>& closeAgain) {
    std::vector<DocumentView*> running;
    bool writing = false;
    for (CChildFrame* child : m_frame.childFrames()) {
        DocumentView* view = child->documentView();
        TransferDirection direction = TransferDirection::Read;
        if (view && view->isTransferring(&direction)) {
            running.push_back(view);
            writing = writing || direction == TransferDirection::Write;
        }
    }
    if (running.empty())
        return true;
    if (m_endingExchanges > 0 || !userInsists(writing))
        return false; // already ending: the window closes when they have
    m_endingExchanges = static_cast<int>(running.size());
    for (DocumentView* view : running) {
        view->cancelTransfer([this, closeAgain] {
            if (--m_endingExchanges == 0)
                QTimer::singleShot(0, &m_frame, closeAgain);
        });
    }
    return false;
}

bool TransferClosing::userInsists(bool writing) const {
    Prompt prompt;
    prompt.icon = QMessageBox::Warning;
    prompt.text = writing ? OwnText("A write to the radio is running; closing now leaves the "
                                    "radio half written.\nClose the program anyway?")
                          : OwnText("A read from the radio is running; closing now cancels "
                                    "it.\nClose the program anyway?");
    prompt.buttons = QMessageBox::Yes | QMessageBox::No;
    prompt.defaultButton = QMessageBox::No;
    return m_frame.prompts().ask(&m_frame, prompt) == QMessageBox::Yes;
}
