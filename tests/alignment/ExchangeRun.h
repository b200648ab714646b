#pragma once
#include "alignment/AlignmentDialog.h"
#include "tests/support/Modal.h"

#include <QPushButton>
#include <QSignalSpy>

// Clicks an alignment dialog's Read or Write and waits until the exchange ended and
// its message was answered; returns the message.
inline SeenMessage RunExchange(AlignmentDialog& dialog, QPushButton* button) {
    SeenMessage seen;
    QSignalSpy done(&dialog, &AlignmentDialog::transferDone);
    AnswerNextMessage(&seen);
    button->click();
    if (done.isEmpty())
        done.wait(20000);
    return seen;
}
