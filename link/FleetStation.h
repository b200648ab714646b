#pragma once
// A programming station: one worker per cable, each with its own serial link and its
// own cycle (poll with a whole read, skip a radio that already holds the image or is
// another model or band, back up, write, read back, report), and what the workers
// share: the settings, the count of radios, the log and the backups folder. chprog clone
// and the window program's station run the same workers; each says what they report in
// its own way (StationObserver).
//
// The exchanges block (QtSerialLink waits on the port, the exchange sleeps between
// bytes), so several cables run on threads of their own, one per cable. The observer is
// called on the workers' threads.

#include "link/DetectedPorts.h"
#include "link/ExchangeOutcome.h"
#include "link/FleetLog.h"
#include "link/SerialTrace.h"
#include "radio/RadioImage.h"
#include "radio/WriteTarget.h"

#include <QMutex>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

struct CloneSettings {
    RadioImage image{};
    int count = 0; // radios to program over every port; 0: until stopped
    bool alignment = false;
    bool verify = true;
    bool force = false; // write a radio of another model or band too
    QString iniPath;    // the Program.ini whose AppName names the backups folder
    std::shared_ptr<TraceFile> trace;
    // No new radio is started once `stopRequested` says so; the radios being written
    // break off at their next cancel point once `stopAtOnce` says so. Unset: never.
    std::function<bool()> stopRequested;
    std::function<bool()> stopAtOnce;
};

// What one port did.
struct PortTally {
    int programmed = 0;
    int failed = 0;
    int skipped = 0;
    bool portLost = false; // the port could not be opened: its worker ended
    int halfWritten = 0;   // the radio stopped part way by a stop at once, or 0
};

// Where a port's cycle stands. The last radio's result stays shown while the radio is
// still connected and read again.
enum class PortState { Waiting, Reading, Writing, Verifying, Done, Failed, WrongTarget };

// Why a radio that was written failed.
enum class RadioFailure {
    None,
    StoppedPartWay,        // a stop at once during the write
    WriteFailed,           // detail: the exchange's message
    StoppedBeforeReadBack, // a stop at once after the write
    VerifyFailed,          // the read back failed; detail: the exchange's message
    VerifyDiffers,         // the radio does not hold what was written, first at `address`
};

// What became of one radio met on a port.
struct RadioReport {
    enum class End { AlreadyProgrammed, Skipped, Programmed, Failed };
    End end = End::Failed;
    int number = 0; // over every port; 0 for a radio already programmed
    bool verified = false;
    qint64 durationMs = 0;
    RadioFailure failure = RadioFailure::None;
    QString detail;
    int address = -1;
    WriteTargetCheck target; // what differs, for a skipped or forced radio
    // Already programmed: it is the radio programmed on this port a moment ago, still
    // connected, whose result was reported already.
    bool justWritten = false;
};

// The English failure text of chprog's line and of the log: "writing failed: ...".
QString FailureText(const RadioReport& report);

// Something a port reports besides its radios.
struct StationWarning {
    enum class Kind {
        PortNotOpened,     // message, detail; the port is tried again
        PortLost,          // message, detail; this port's worker ends
        ReadBrokeOff,      // message: a radio stopped answering while being read
        ForcedWrongTarget, // target: written anyway (force)
        IdentityDiffers,   // radio: its identity block differs from the image's
        LogFailed,         // message: why; no new radio is started
        NoBackup,          // message: why no backup was kept
        BackupNote,        // message: what the backups keeper did besides saving
    };
    Kind kind = Kind::PortNotOpened;
    QString message;
    QString detail;
    WriteTargetCheck target;
    RadioImage radio{};
};

// Receives what the workers report, on their threads (several at once).
class StationObserver {
public:
    virtual ~StationObserver() = default;
    virtual void stateChanged(const QString& port, PortState state) = 0;
    // Blocks done of the exchange under way on the port (read, write or read back).
    virtual void progress(const QString& port, int done, int total) = 0;
    virtual void radioEnded(const QString& port, const RadioReport& report) = 0;
    virtual void warning(const QString& port, const StationWarning& warning) = 0;
};

// What the workers share.
class Station {
public:
    Station(const CloneSettings& settings, FleetLog& log, StationObserver& observer);

    const CloneSettings& settings() const { return m_settings; }
    StationObserver& observer() const { return m_observer; }

    // A worker takes a radio before it writes it, so that the count is never exceeded;
    // false when the radios still to program are all in other workers' hands.
    bool takeRadio();
    // The radio taken ended; `programmed` counts it towards the count.
    void radioEnded(bool programmed);
    // The number of the next radio met, over every port.
    int nextRadioNumber() { return ++m_radiosMet; }

    // No new radio is started: the count reached, a stop, or the log failed.
    bool finished() const;
    bool stopsAtOnce() const;

    // Appends the radio's line to the log; a failure ends the run before the next radio.
    void log(const ProgrammingRecord& record);
    bool logFailed() const { return m_logFailed; }
    ProgrammingRecord newRecord(const QString& port) const;

    // Keeps a backup (one worker at a time in the backups folder); the backup's path.
    QString backUp(const QString& port, const RadioImage& image, bool beforeWrite);

private:
    const CloneSettings& m_settings;
    FleetLog& m_log;
    StationObserver& m_observer;
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
    RadioReport writeAndVerify(RadioImage* held, bool* stoppedPartWay);
    ExchangeOutcome read(RadioImage* held);
    void show(PortState state);
    void warn(StationWarning::Kind kind, const QString& message, const QString& detail = {});
    void waitUntilNextPoll(qint64 attemptStartMs) const;
    qint64 nowMs() const;

    Station& m_station;
    const CloneSettings& m_settings;
    StationObserver& m_observer;
    const QString m_device;
    const Cable m_cable;
    const bool m_endWhenPortLost;
    PortTally m_tally;
    PortState m_state = PortState::Waiting;
    bool m_reportedProgrammed = false;
    std::optional<RadioImage> m_failedRadio; // failed or skipped, still connected
    std::optional<RadioImage> m_justWritten; // what the radio last programmed here holds
    QString m_portProblem;
};
