#pragma once
// What a transfer runs: the direction, the device, the image a write sends or a read
// fills, the callbacks an exchange reports through, and the exchange itself as a
// function of the link, the job and the callbacks.

#include "link/ExchangeOutcome.h"
#include "radio/RadioImage.h"
#include "link/SerialLink.h"

#include <QString>
#include <functional>
#include <memory>

enum class TransferDirection { Read, Write };

struct TransferJob {
    TransferDirection direction = TransferDirection::Read;
    QString device;
    // Sent by a write; after a successful read it holds what arrived.
    RadioImage image{};
};

// How an exchange reports while it runs, on its own thread. A missing callback counts
// as "no progress shown", "not cancelled", "do not retry".
struct ExchangeCallbacks {
    std::function<void(int done, int total)> progress;
    std::function<bool()> isCancelled;
    std::function<bool()> askRetry;
};

// One exchange, run on the worker thread with a link created there.
using ExchangeRun = std::function<ExchangeOutcome(SerialLink& link, TransferJob& job,
                                                  const ExchangeCallbacks& callbacks)>;

// Gives the link of one exchange, called on the worker thread.
using LinkFactory = std::function<std::shared_ptr<SerialLink>()>;
