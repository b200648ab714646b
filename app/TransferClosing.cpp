#include "app/TransferClosing.h"

#include "editor/DocumentView.h"
#include "ui/TransferController.h"

#include <QTimer>
#include <QWidget>
#include <vector>

bool TransferClosing::mayClose(const std::function<void()>& closeAgain) {
    std::vector<DocumentView*> running;
    bool writing = false;
    for (DocumentView* view : m_context.views()) {
        TransferDirection direction = TransferDirection::Read;
        if (view && view->isTransferring(&direction)) {
            running.push_back(view);
            writing = writing || direction == TransferDirection::Write;
        }
    }
    if (running.empty())
        return true;
    if (m_endingExchanges > 0 || !UserClosesDuringTransfer(*m_context.prompts, m_context.window,
                                                           writing, ClosingWhat::Program))
        return false; // already ending: the window closes when they have
    m_endingExchanges = static_cast<int>(running.size());
    for (DocumentView* view : running) {
        view->cancelTransfer([this, closeAgain] {
            if (--m_endingExchanges == 0)
                QTimer::singleShot(0, m_context.window, closeAgain);
        });
    }
    return false;
}
