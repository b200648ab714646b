#pragma once
// Closing the main window while an exchange with the radio runs. A write cut short
// leaves the radio holding new channels beside old settings, so the user is asked first
// (UserClosesDuringTransfer, the question an adjust dialog asks too). When the user
// insists, every running exchange is cancelled at its next cancel point and the window
// closes only once they have all ended; otherwise nothing happens.

#include <QList>
#include <functional>

class DocumentView;
class Prompts;
class QWidget;

// What the question and the cancelling work with, handed over by the main window.
struct TransferClosingContext {
    QWidget* window = nullptr;                   // the window that closes, parent of the question
    const Prompts* prompts = nullptr;            // the question
    std::function<QList<DocumentView*>()> views; // the view of every document
};

class TransferClosing {
public:
    explicit TransferClosing(TransferClosingContext context) : m_context(std::move(context)) {}

    // True when no exchange runs. Otherwise false: the question is asked (once), and
    // when the user insists the exchanges are cancelled and `closeAgain` runs, from the
    // event loop, after the last of them ended.
    bool mayClose(const std::function<void()>& closeAgain);

private:
    TransferClosingContext m_context;
    int m_endingExchanges = 0; // cancelled, not yet ended
};
