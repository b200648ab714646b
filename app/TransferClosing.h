#pragma once
// Closing the main window while an exchange with the radio runs. A write cut short
// leaves the radio holding new channels beside old settings, so the user is asked first
// (UserClosesDuringTransfer, the question an adjust dialog asks too). When the user
// insists, every running exchange is cancelled at its next cancel point and the window
// closes only once they have all ended; otherwise nothing happens.

#include <functional>

class CMainFrame;

class TransferClosing {
public:
    explicit TransferClosing(CMainFrame& frame) : m_frame(frame) {}

    // True when no exchange runs. Otherwise false: the question is asked (once), and
    // when the user insists the exchanges are cancelled and `closeAgain` runs, from the
    // event loop, after the last of them ended.
    bool mayClose(const std::function<void()>& closeAgain);

private:
    CMainFrame& m_frame;
    int m_endingExchanges = 0; // cancelled, not yet ended
};
