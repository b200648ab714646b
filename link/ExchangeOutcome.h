#pragma once
// How an exchange with the radio ended, and what to tell the user.

#include <QString>

enum class ExchangeResult {
    Success,
    Cancelled,           // the cancel flag was seen; nothing to show
    PortOpenFailed,      // the port could not be opened; see portDetail
    CommunicationFailed, // the handshake failed (programming: the user chose Cancel)
    ProgramInterrupt,    // the radio stopped answering properly during the exchange
};

struct ExchangeOutcome {
    ExchangeResult result = ExchangeResult::Success;
    // The text to show: the failure message, or for the alignment exchanges also the
    // success message. Empty when nothing is shown.
    QString message;
    // For PortOpenFailed: the device and the system's reason, shown beside the message.
    QString portDetail;
    // A write ended after its first block was sent: the radio may hold part of the image.
    bool partlyWritten = false;

    bool succeeded() const { return result == ExchangeResult::Success; }
};

// The failure a programming log names for an outcome that did not succeed: its message,
// or "interrupted" for a cancel, which has none.
inline QString FailureOf(const ExchangeOutcome& outcome) {
    return outcome.message.isEmpty() ? QStringLiteral("interrupted") : outcome.message;
}
