#pragma once
// Runs one exchange with the radio on a worker thread of its own, so the thread that
// owns the runner (the window's) stays responsive while a silent radio's time-outs run
// out. Everything comes back as signals on the owner's thread:
//
//   TransferRunner runner(session.serialLinks());
//   connect(&runner, &TransferRunner::progress, ...);        // done of total blocks
//   connect(&runner, &TransferRunner::retryRequested, ...);  // answer with answerRetry()
//   connect(&runner, &TransferRunner::finished, ...);        // the job and its outcome
//   runner.start({TransferDirection::Read, device, image}, ProgrammingRun(false));
//
// The worker waits for the Retry answer without polling; nobody connected to
// retryRequested counts as Cancel. cancel() sets the flag the exchange checks at its
// own fixed points. The owner's thread never waits on the worker, except when the
// runner is destroyed: then a pending question is answered Cancel, the exchange is
// cancelled, and the destructor waits until its next check point closes the port.

#include "link/TransferJob.h"

#include <QObject>

class QThread;

class TraceFile;

// Serial ports: a new link for each exchange, traced into `trace` when there is one.
LinkFactory SerialPortLinks(std::shared_ptr<TraceFile> trace = nullptr);

class TransferRunner : public QObject {
    Q_OBJECT
public:
    explicit TransferRunner(LinkFactory linkFactory, QObject* parent = nullptr);
    ~TransferRunner() override;

    // Takes effect from the next exchange.
    void setLinkFactory(LinkFactory linkFactory) { m_linkFactory = std::move(linkFactory); }

    // Starts `run` on a copy of `job`; false (and nothing happens) while one runs.
    bool start(const TransferJob& job, ExchangeRun run);
    bool isRunning() const { return m_worker != nullptr; }

public slots:
    // The exchange stops at its next check point.
    void cancel();
    // The answer to retryRequested: true for Retry.
    void answerRetry(bool retry);

signals:
    void progress(int done, int total);
    // The handshake failed: ask the user, then call answerRetry().
    void retryRequested();
    // The worker has ended; `job.image` is the worker's copy (a read's result).
    void finished(const TransferJob& job, const ExchangeOutcome& outcome);

private:
    struct Shared;

    ExchangeCallbacks callbacksFor(const std::shared_ptr<Shared>& shared);
    void onWorkerEnded();

    LinkFactory m_linkFactory;
    QThread* m_worker = nullptr;
    std::shared_ptr<Shared> m_shared;
};
