#include "link/TransferRunner.h"

#include "link/QtSerialLink.h"

#include <QMetaMethod>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <mutex>

// What the worker shares with the owner's side. The worker holds its own reference, so
// the state stays valid until the worker has seen that the runner is gone.
struct TransferRunner::Shared {
    enum class Answer { None, Pending, Retry, Cancel };

    std::atomic<bool> cancel{false};
    std::mutex mutex;
    std::condition_variable answered;
    Answer answer = Answer::None;
    bool abandoned = false; // the runner is going away: ask nothing more

    TransferJob job;
    ExchangeOutcome outcome;
};

LinkFactory SerialPortLinks(std::shared_ptr<TraceFile> trace) {
    return [trace] { return std::shared_ptr<SerialLink>(std::make_shared<QtSerialLink>(trace)); };
}

TransferRunner::TransferRunner(LinkFactory linkFactory, QObject* parent)
    : QObject(parent), m_linkFactory(std::move(linkFactory)) {}

TransferRunner::~TransferRunner() {
    if (!m_worker)
        return;
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->abandoned = true;
        m_shared->answer = Shared::Answer::Cancel;
    }
    m_shared->answered.notify_all();
    m_shared->cancel = true;
    m_worker->wait(); // bounded by the exchange's time-outs
    delete m_worker;
}

bool TransferRunner::start(const TransferJob& job, ExchangeRun run) {
    if (m_worker)
        return false;
    auto shared = std::make_shared<Shared>();
    shared->job = job;
    m_shared = shared;
    const ExchangeCallbacks callbacks = callbacksFor(shared);
    const LinkFactory linkFactory = m_linkFactory;
    m_worker = QThread::create([shared, callbacks, linkFactory, run] {
        const std::shared_ptr<SerialLink> link = linkFactory();
        shared->outcome = run(*link, shared->job, callbacks);
    });
    // QThread::finished comes from the worker; queued, it arrives on the owner's thread.
    connect(m_worker, &QThread::finished, this, &TransferRunner::onWorkerEnded,
            Qt::QueuedConnection);
    m_worker->start();
    return true;
}

void TransferRunner::cancel() {
    if (m_shared)
        m_shared->cancel = true;
}

void TransferRunner::answerRetry(bool retry) {
    if (!m_shared)
        return;
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (m_shared->answer != Shared::Answer::Pending)
            return;
        m_shared->answer = retry ? Shared::Answer::Retry : Shared::Answer::Cancel;
    }
    m_shared->answered.notify_all();
}

// The callbacks run on the worker. Signals emitted there reach receivers on the owner's
// thread queued; the runner outlives the worker, so emitting from it is safe.
ExchangeCallbacks TransferRunner::callbacksFor(const std::shared_ptr<Shared>& shared) {
    ExchangeCallbacks callbacks;
    callbacks.progress = [this](int done, int total) { emit progress(done, total); };
    callbacks.isCancelled = [shared] { return shared->cancel.load(); };
    const bool canAsk = isSignalConnected(QMetaMethod::fromSignal(&TransferRunner::retryRequested));
    callbacks.askRetry = [this, shared, canAsk] {
        std::unique_lock<std::mutex> lock(shared->mutex);
        if (!canAsk || shared->abandoned)
            return false;
        shared->answer = Shared::Answer::Pending;
        lock.unlock();
        emit retryRequested();
        lock.lock();
        shared->answered.wait(lock, [&] { return shared->answer != Shared::Answer::Pending; });
        return shared->answer == Shared::Answer::Retry;
    };
    return callbacks;
}

void TransferRunner::onWorkerEnded() {
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    const std::shared_ptr<Shared> shared = m_shared;
    emit finished(shared->job, shared->outcome);
}
