#pragma once
// The alignment exchange: reads or writes one calibration table (power or squelch)
// straight between the image and the radio, with the link protocol's handshake and
// block frames but its own time-outs, a handshake of at most four attempts, and
// messages of its own in both languages. No widgets: run it off the UI thread like the
// programming exchange, with a link created in that thread.
//
//   QtSerialLink link;
//   AlignmentExchange exchange(link, CalibrationTable::Power, language);
//   ExchangeOutcome outcome = exchange.read(PortDevice(session.portName(), iniPath), image);
//   // show outcome.message (also on success: "Read Successfully"), + portDetail if any
//
// Results: Success, PortOpenFailed, CommunicationFailed, or Cancelled (with no message)
// when the cancel check said so after the handshake or between blocks. The port is
// always closed.

#include "link/ExchangeOutcome.h"
#include "radio/Language.h"
#include "link/LinkProtocol.h"
#include "radio/RadioImage.h"
#include "link/SerialLink.h"
#include "link/TransferJob.h"

#include <functional>

enum class CalibrationTable { Power, Squelch };

// 100 ms between bytes; reads 100 ms + 50 ms (power) or 100 ms (squelch) a byte;
// writes 50 ms + 50 ms a byte.
constexpr LinkTimeouts kPowerAlignmentTimeouts{100, 50, 100, 50, 50};
constexpr LinkTimeouts kSquelchAlignmentTimeouts{100, 100, 100, 50, 50};

// The blocks of a table: power 03C0/8, 03C8/8, 03D0/6; squelch 03B0/8, 03B8/3.
QVector<TransferBlock> AlignmentPlan(CalibrationTable table);

class AlignmentExchange {
public:
    AlignmentExchange(SerialLink& link, CalibrationTable table, Language language);
    // Uses `timeouts` instead of the table's own (tests).
    AlignmentExchange(SerialLink& link, CalibrationTable table, Language language,
                      LinkTimeouts timeouts);

    // Asked after the handshake and between blocks; true stops the exchange there.
    void setCancelCheck(std::function<bool()> isCancelled) { m_isCancelled = std::move(isCancelled); }

    // Reads the table. Only a complete read changes `image`, and only the table's bytes.
    ExchangeOutcome read(const QString& device, RadioImage& image);
    // Writes the table's bytes of `image`.
    ExchangeOutcome write(const QString& device, const RadioImage& image);

private:
    enum class FailedAt { Handshake, Block };

    ExchangeOutcome run(const QString& device, TransferDirection direction, RadioImage& image);
    bool handshake();
    bool writeBlock(const TransferBlock& block, const RadioImage& image);
    ExchangeOutcome failure(TransferDirection direction, FailedAt stage) const;
    ExchangeOutcome success(TransferDirection direction) const;
    QString openFailureText() const;
    bool cancelled() const { return m_isCancelled && m_isCancelled(); }

    SerialLink& m_link;
    CalibrationTable m_table;
    Language m_language;
    LinkTimeouts m_timeouts;
    std::function<bool()> m_isCancelled;
};

// The alignment exchange of `table` for a TransferRunner (it neither reports progress
// nor asks): a read fills the table's bytes of the job's image, a write sends them.
ExchangeRun AlignmentRun(CalibrationTable table, Language language);
