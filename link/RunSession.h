#pragma once
// What one run of the window program decides about the radio link as it goes: the
// port of the next exchange, whether the access code unlocked the alignment, and the
// serial trace. The main window owns the one session of the run and hands it to those
// who need it (the channel views with their Read and Write, COM Setup, the access code
// and the adjust dialogs).

#include <QString>
#include <memory>
#include <utility>

#include "link/TransferJob.h"

class TraceFile;

class RunSession {
public:
    // `commandLinePort` (--port) fixes the port for the whole run; `tracePath` (--trace)
    // names the trace file, opened at the first exchange.
    explicit RunSession(QString commandLinePort = QString(), QString tracePath = QString());
    ~RunSession();

    // The port of the next exchange: a COM name or a device path.
    QString portName() const { return m_portName; }
    // Set from the stored choice at start-up, unless --port fixes it (TakeStoredPort in
    // linkui/CComSetupDlg.h), and by COM Setup on the user's request.
    void setPortName(const QString& portName) { m_portName = portName; }
    QString commandLinePort() const { return m_commandLinePort; }

    // Widens the write plan to the calibration regions (see ProgrammingRun).
    bool alignmentUnlocked() const { return m_alignmentUnlocked; }
    void unlockAlignment() { m_alignmentUnlocked = true; }

    // Serial ports, traced when the run has a trace (opened here on first use).
    LinkFactory serialLinks();

    // A backup that cannot be kept is told once as a message, later only in the status
    // bar: true the first time it is asked.
    bool firstBackupWarning() { return !std::exchange(m_backupWarningShown, true); }

private:
    QString m_portName;
    QString m_commandLinePort;
    bool m_alignmentUnlocked = false;
    QString m_tracePath;
    std::shared_ptr<TraceFile> m_trace; // shared with the links of running exchanges
    bool m_traceTried = false;
    bool m_backupWarningShown = false;
};
