#include "link/FleetRun.h"

FleetRun::FleetRun(CloneSettings settings, const QStringList& devices,
                   std::unique_ptr<FleetLog> log, QObject* parent)
    : QObject(parent), m_settings(std::move(settings)), m_log(std::move(log)) {
    m_settings.stopRequested = [this] { return m_stop.load(); };
    m_settings.stopAtOnce = [this] { return m_stopAtOnce.load(); };
    StationObserver& observer = *this;
    m_station = std::make_unique<Station>(m_settings, *m_log, observer);
    for (const QString& device : devices)
        m_workers.push_back(std::make_unique<PortWorker>(*m_station, device, true));
}

FleetRun::~FleetRun() {
    m_stop = true;
    m_stopAtOnce = true;
    for (const std::unique_ptr<QThread>& thread : m_threads)
        thread->wait();
}

void FleetRun::start() {
    for (const std::unique_ptr<PortWorker>& worker : m_workers) {
        PortWorker* running = worker.get();
        m_threads.emplace_back(QThread::create([running] { running->run(); }));
        connect(m_threads.back().get(), &QThread::finished, this, &FleetRun::workerEnded);
        ++m_running;
        m_threads.back()->start();
    }
}

void FleetRun::stop() {
    m_stop = true;
}

void FleetRun::stopAtOnce() {
    m_stop = true;
    m_stopAtOnce = true;
}

void FleetRun::workerEnded() {
    if (--m_running == 0)
        emit finished();
}

void FleetRun::stateChanged(const QString& port, PortState state) {
    emit portStateChanged(port, state);
}

void FleetRun::progress(const QString& port, int done, int total) {
    emit portProgress(port, done, total);
}

void FleetRun::radioEnded(const QString& port, const RadioReport& report) {
    emit radioDone(port, report);
}

void FleetRun::warning(const QString& port, const StationWarning& warning) {
    emit portWarning(port, warning);
}
