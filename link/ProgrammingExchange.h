#pragma once
// The programming exchange: reads the radio's whole memory into an image, or writes an
// image to the radio, over a SerialLink. No widgets: the window program runs it on a
// worker thread and chprog runs it directly; both see it through the callbacks.
//
//   QtSerialLink link;                     // created in the thread that runs the exchange
//   ProgrammingExchange exchange(link, callbacks);
//   ExchangeOutcome outcome = exchange.read(PortDevice(session.portName(), iniPath), image);
//
// Sequence: open and configure the port; handshake (greeting, identification,
// acknowledge) with its attempt counter; then every block of the plan in ascending
// order. The port is closed at the end whatever the outcome.
//
// The callbacks run on the exchange's own thread:
// - progress(done, total) once with 0 when the plan is known, then after each
//   acknowledged block (the percentage shown is done * 100 / total);
// - isCancelled() only at the fixed points: six times, 1 ms apart, before each
//   handshake attempt, and nine times after each acknowledged block;
// - askRetry() when the handshake failed: show kCommunicationErrorText with Retry and
//   Cancel and return true for Retry. When it returns false the exchange ends with
//   CommunicationFailed (the user has seen the message already).
// A missing callback counts as "no progress shown", "not cancelled", "do not retry".

#include "link/ExchangeOutcome.h"
#include "link/LinkProtocol.h"
#include "radio/RadioImage.h"
#include "link/SerialLink.h"
#include "link/TransferJob.h"

#include <functional>

// The texts of the programming exchange; English in both languages.
extern const char* const kCouldNotOpenPortText;
extern const char* const kCommunicationErrorText;
extern const char* const kProgramInterruptText;

// Our own advice after a write that ended part way (a failure or a cancel once blocks
// were sent), shown on a line of its own after the exchange's message.
QString PartialWriteAdvice();

// 30 ms between bytes; reads 90 ms + 500 ms a byte; writes 50 ms + 50 ms a byte.
constexpr LinkTimeouts kProgrammingTimeouts{30, 500, 90, 50, 50};

class ProgrammingExchange {
public:
    ProgrammingExchange(SerialLink& link, ExchangeCallbacks callbacks,
                        LinkTimeouts timeouts = kProgrammingTimeouts);

    // Reads all 128 blocks. `image` changes only on Success, and then as a whole: the
    // blocks arrive in a scratch image, so a failed or cancelled read leaves it as it was.
    ExchangeOutcome read(const QString& device, RadioImage& image);

    // Writes the 122 blocks of the normal plan, or 127 with `alignmentUnlocked`.
    ExchangeOutcome write(const QString& device, const RadioImage& image, bool alignmentUnlocked);

    // Reads back the blocks that write() sends, in an exchange of its own (with a new
    // handshake), and compares them with `image`. When the read back succeeds,
    // `firstDifference` is the first address whose byte differs, or -1 when all match,
    // and `readBack` (when given) is `image` with the blocks read back in it.
    ExchangeOutcome verify(const QString& device, const RadioImage& image, bool alignmentUnlocked,
                           int* firstDifference, RadioImage* readBack = nullptr);

private:
    ExchangeOutcome run(const QString& device, const QVector<TransferBlock>& plan,
                        RadioImage* readInto, const RadioImage* writeFrom);
    ExchangeOutcome handshake();
    ExchangeOutcome transfer(const QVector<TransferBlock>& plan, RadioImage* readInto,
                             const RadioImage* writeFrom);
    // Checks the cancel flag `checks` times, pausing `pauseMs` after each; true if set.
    bool cancelledDuring(int checks, int pauseMs);
    void sendGreeting();
    void requestIdentification();
    bool handshakeAcknowledged();
    bool writeBlock(const TransferBlock& block, const RadioImage& image);
    void reportProgress(int done, int total);

    SerialLink& m_link;
    ExchangeCallbacks m_callbacks;
    LinkTimeouts m_timeouts;
};

// The programming exchange for a TransferRunner: a read fills the job's image; a write
// sends it with the plan `alignmentUnlocked` chooses.
ExchangeRun ProgrammingRun(bool alignmentUnlocked);
