#pragma once
// The programming station of chprog clone: one worker per cable, each with its own
// serial link and its own cycle (poll with a whole read, skip a radio that already holds
// the image or is another model or band, back up, write, read back, report), and what
// the workers share: the settings, the count of radios, the output lines, the log and
// the backups folder.
//
// The exchanges block (QtSerialLink waits on the port, the exchange sleeps between
// bytes), so several cables run on threads of their own, one per cable; one cable runs on
// the caller's thread. Whatever a worker prints is one whole line at a time.

#include "cli/StationLog.h"
#include "link/ExchangeOutcome.h"
#include "link/SerialTrace.h"
#include "radio/RadioImage.h"

#include <QMutex>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <optional>

struct CloneSettings {
    RadioImage image{};
    int count = 0; // radios to program over every port; 0: until interrupted
    bool alignment = false;
    bool verify = true;
    bool force = false; // write a radio of another model or band too
    QString iniPath;    // the Program.ini of --config: the backups folder's name
    std::shared_ptr<TraceFile> trace;
};

// What one port did.
struct PortTally {
    int programmed = 0;
    int failed = 0;
    int skipped = 0;
    bool portLost = false;    // the port could not be opened: its worker ended
    int halfWritten = 0;      // the radio stopped part way by a second Ctrl+C, or 0
};

// What the workers share.
class Station {
public:
    // `prefixed`: every line starts with its port (several cables).
    Station(const CloneSettings& settings, StationLog& log, bool prefixed);

    const CloneSettings& settings() const { return m_settings; }

    // One line on standard output, or standard error, prefixed with the port when asked.
    void say(const QString& port, const QString& text);
    void warn(const QString& port, const QString& text);

    // A worker takes a radio before it writes it, so that --count is never exceeded;
    // false when the radios still to program are all in other workers' hands.
    bool takeRadio();
    // The radio taken ended; `programmed` counts it towards --count.
    void radioEnded(bool programmed);
    // The number of the next radio met, over every port.
    int nextRadioNumber() { return ++m_radiosMet; }

    // No new radio is started: --count reached, Ctrl+C, or the log failed.
    bool finished() const;

    // Appends the radio's line to the log; a failure ends the run before the next radio.
    void log(const ProgrammingRecord& record);
    bool logFailed() const { return m_logFailed; }
    ProgrammingRecord newRecord(const QString& port) const;

    // Keeps a backup (one worker at a time in the backups folder); the backup's path.
    QString backUp(const RadioImage& image, bool beforeWrite);

private:
    void print(const QString& port, const QString& text, bool error);

    const CloneSettings& m_settings;
    StationLog& m_log;
    const bool m_prefixed;
    QMutex m_mutex;
    int m_inHand = 0;
    std::atomic<int> m_programmed{0};
    std::atomic<int> m_radiosMet{0};
    std::atomic<bool> m_logFailed{false};
};

// One cable's cycle, until the station is finished or (with `endWhenPortLost`) the port
// cannot be opened.
class PortWorker {
public:
    PortWorker(Station& station, const QString& device, bool endWhenPortLost);

    void run();
    const QString& device() const { return m_device; }
    const PortTally& tally() const { return m_tally; }

private:
    void pollOnce();
    void noteMissingRadio(const ExchangeOutcome& outcome);
    bool acceptsTarget(const RadioImage& held, ProgrammingRecord& record);
    void program(const RadioImage& held, ProgrammingRecord record, qint64 startedMs);
    QString writeAndVerify(RadioImage* held, bool* stoppedPartWay);
    ExchangeOutcome read(RadioImage* held);
    void waitUntilNextPoll(qint64 attemptStartMs) const;
    qint64 nowMs() const;

    Station& m_station;
    const CloneSettings& m_settings;
    const QString m_device;
    const Cable m_cable;
    const bool m_endWhenPortLost;
    PortTally m_tally;
    bool m_reportedProgrammed = false;
    std::optional<RadioImage> m_failedRadio; // failed or skipped, still connected
    std::optional<RadioImage> m_justWritten; // what the radio last programmed here holds
    QString m_portProblem;
};
