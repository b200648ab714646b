#pragma once
// The window program's run of a station (link/FleetStation.h): a worker thread per
// cable, and everything the workers report reaching the owner's thread as queued
// signals. The owner never waits on a worker, except in the destructor, which stops
// every radio at its next cancel point and waits for that (bounded by the exchanges'
// time-outs), so closing the window never leaves a port open.

#include "link/FleetStation.h"

#include <QObject>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <memory>
#include <vector>

class FleetRun : public QObject, private StationObserver {
    Q_OBJECT
public:
    // A port that cannot be opened ends its worker; the others go on.
    FleetRun(CloneSettings settings, const QStringList& devices, std::unique_ptr<FleetLog> log,
             QObject* parent = nullptr);
    ~FleetRun() override;

    void start();
    // No new radio is started; the radios in hand are finished.
    void stop();
    // The radios in hand break off at their next cancel point.
    void stopAtOnce();
    bool isRunning() const { return m_running > 0; }

signals:
    void portStateChanged(const QString& port, PortState state);
    void portProgress(const QString& port, int done, int total);
    void radioDone(const QString& port, const RadioReport& report);
    void portWarning(const QString& port, const StationWarning& warning);
    // Every worker has ended.
    void finished();

private:
    void stateChanged(const QString& port, PortState state) override;
    void progress(const QString& port, int done, int total) override;
    void radioEnded(const QString& port, const RadioReport& report) override;
    void warning(const QString& port, const StationWarning& warning) override;
    void workerEnded();

    CloneSettings m_settings;
    std::unique_ptr<FleetLog> m_log;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_stopAtOnce{false};
    std::unique_ptr<Station> m_station;
    std::vector<std::unique_ptr<PortWorker>> m_workers;
    std::vector<std::unique_ptr<QThread>> m_threads;
    int m_running = 0;
};
