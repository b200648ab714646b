// chprog clone: programs radio after radio with one image, with no key press between
// radios. Each poll is a whole read (its handshake tells whether a radio is there), so
// a radio that answers is read once and that read is its backup. A radio that already
// holds the image where the write covers it is left alone: that is also how the radio
// just programmed, still connected, is recognised.

#include "radio/ChannelCodec.h"
#include "radio/MessageText.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/LinkSupport.h"
#include "link/SerialTrace.h"

#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

constexpr int kPollIntervalMs = 2000;
constexpr int kStopCheckMs = 50;

struct CloneSettings {
    RadioPort port;
    RadioImage image{};
    int count = 0; // 0: until interrupted
    bool alignment = false;
    bool verify = true;
    QString iniPath; // the Program.ini of --config: the backups folder's name
};

// Quiet exchanges: one line per radio says what happened. Only a poll can be cancelled;
// a radio that is being written is finished first.
ExchangeCallbacks Callbacks(bool cancellable) {
    ExchangeCallbacks callbacks;
    if (cancellable)
        callbacks.isCancelled = [] { return InterruptRequested(); };
    callbacks.askRetry = [] { return false; };
    return callbacks;
}

// The first address the write covers where `held` differs from `image`, or -1.
int FirstDifference(const RadioImage& held, const RadioImage& image, bool alignment) {
    for (const TransferBlock& block : WritePlan(alignment)) {
        for (int i = block.address; i < block.address + block.length; ++i) {
            if (held[i] != image[i])
                return i;
        }
    }
    return -1;
}

QString Seconds(const QElapsedTimer& clock) {
    return QString::number(clock.elapsed() / 1000.0, 'f', 1);
}

void Ring() {
    std::fputc('\a', stderr);
    std::fflush(stderr);
}

class CloneRun {
public:
    explicit CloneRun(const CloneSettings& settings) : m_settings(settings) {}

    int run() {
        while (!InterruptRequested() &&
               (m_settings.count == 0 || m_programmed < m_settings.count)) {
            QElapsedTimer attempt;
            attempt.start();
            pollOnce();
            waitUntilNextPoll(attempt);
        }
        PrintOut(QStringLiteral("programmed %1, failed %2\n").arg(m_programmed).arg(m_failed));
        return m_failed == 0 ? kExitOk : kExitFailure;
    }

private:
    void pollOnce() {
        QElapsedTimer clock;
        clock.start();
        RadioImage held = NewImage();
        const ExchangeOutcome outcome = read(&held, true);
        if (!outcome.succeeded()) {
            noteMissingRadio(outcome);
            return;
        }
        m_portProblem.clear();
        BackUp(held, BackupKind::Read, m_settings.iniPath, RepeatedBackups::Quiet);
        if (m_failedRadio == held)
            return; // the radio that failed, still connected: tried once is enough
        if (FirstDifference(held, m_settings.image, m_settings.alignment) < 0) {
            if (!m_reportedProgrammed)
                PrintOut(QStringLiteral("radio already programmed\n"));
            m_reportedProgrammed = true;
            return;
        }
        program(clock, held);
    }

    // No radio, a radio that broke off its read, or a port that cannot be opened.
    void noteMissingRadio(const ExchangeOutcome& outcome) {
        m_reportedProgrammed = false;
        m_failedRadio.reset();
        if (outcome.result == ExchangeResult::PortOpenFailed) {
            if (m_portProblem != outcome.portDetail)
                PrintError(outcome.message + QStringLiteral(" (") + outcome.portDetail +
                           QStringLiteral("); trying again"));
            m_portProblem = outcome.portDetail;
        } else if (outcome.result == ExchangeResult::ProgramInterrupt) {
            PrintError(QStringLiteral("a radio broke off while being read (%1); trying again")
                           .arg(outcome.message));
        }
    }

    // Writes the radio that holds `held`. A radio that fails is remembered by what it
    // holds afterwards, as far as that is known, so that it is not tried again while
    // it stays connected.
    void program(const QElapsedTimer& clock, const RadioImage& held) {
        const int number = m_programmed + m_failed + 1;
        BackUp(m_settings.image, BackupKind::Write, m_settings.iniPath, RepeatedBackups::Quiet);
        RadioImage nowHeld = held;
        const QString failure = writeAndVerify(&nowHeld);
        if (failure.isEmpty()) {
            ++m_programmed;
            PrintOut(QStringLiteral("radio %1: %2 in %3 s\n")
                         .arg(number)
                         .arg(m_settings.verify ? QStringLiteral("written and verified")
                                                : QStringLiteral("written"),
                              Seconds(clock)));
        } else {
            ++m_failed;
            m_failedRadio = nowHeld;
            PrintOut(QStringLiteral("radio %1: %2\n").arg(number).arg(failure));
        }
        Ring();
    }

    // Empty when the radio took the image; otherwise why it failed. `held` becomes what
    // the radio holds afterwards: what was read back, or else what the acknowledged
    // blocks made of it.
    QString writeAndVerify(RadioImage* held) {
        const QVector<TransferBlock> plan = WritePlan(m_settings.alignment);
        int acknowledged = 0;
        ExchangeCallbacks callbacks = Callbacks(false);
        callbacks.progress = [&acknowledged](int done, int) { acknowledged = done; };
        const std::unique_ptr<SerialLink> link = m_settings.port.newLink();
        ProgrammingExchange writer(*link, callbacks);
        const ExchangeOutcome written =
            writer.write(m_settings.port.device, m_settings.image, m_settings.alignment);
        for (int b = 0; b < acknowledged && b < plan.size(); ++b)
            std::copy_n(m_settings.image.begin() + plan[b].address, plan[b].length,
                        held->begin() + plan[b].address);
        if (!written.succeeded())
            return QStringLiteral("writing failed: ") + written.message;
        if (!m_settings.verify)
            return QString();
        const std::unique_ptr<SerialLink> verifyLink = m_settings.port.newLink();
        ProgrammingExchange verifier(*verifyLink, Callbacks(false));
        int difference = -1;
        RadioImage readBack;
        const ExchangeOutcome outcome = verifier.verify(
            m_settings.port.device, m_settings.image, m_settings.alignment, &difference, &readBack);
        if (!outcome.succeeded())
            return QStringLiteral("verify failed: ") + outcome.message;
        // What the radio holds: the blocks read back, over what it held outside them.
        for (const TransferBlock& block : plan)
            std::copy_n(readBack.begin() + block.address, block.length,
                        held->begin() + block.address);
        if (difference >= 0)
            return QStringLiteral("verify failed: the radio does not hold what was written, first "
                                  "at address 0x") +
                   QStringLiteral("%1").arg(difference, 3, 16, QLatin1Char('0')).toUpper();
        return QString();
    }

    ExchangeOutcome read(RadioImage* held, bool cancellable) {
        const std::unique_ptr<SerialLink> link = m_settings.port.newLink();
        ProgrammingExchange reader(*link, Callbacks(cancellable));
        return reader.read(m_settings.port.device, *held);
    }

    // At most one poll every two seconds, sleeping (not spinning) meanwhile.
    static void waitUntilNextPoll(const QElapsedTimer& attempt) {
        while (!InterruptRequested() && attempt.elapsed() < kPollIntervalMs)
            QThread::msleep(kStopCheckMs);
    }

    const CloneSettings m_settings;
    int m_programmed = 0;
    int m_failed = 0;
    bool m_reportedProgrammed = false;
    std::optional<RadioImage> m_failedRadio;
    QString m_portProblem;
};

bool ParseCount(const QCommandLineParser& parser, int* count) {
    if (!parser.isSet(QStringLiteral("count")))
        return true;
    bool isNumber = false;
    *count = parser.value(QStringLiteral("count")).toInt(&isNumber);
    if (isNumber && *count >= 1)
        return true;
    PrintError(QStringLiteral("--count: \"%1\" is not a number of radios (1 or more)")
                   .arg(ShortenedForMessage(parser.value(QStringLiteral("count")))));
    return false;
}

} // namespace

int RunClone(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("Stop after N programmed radios (default: at "
                                                  "Ctrl+C)."),
                                   QStringLiteral("N"));
    const QCommandLineOption alignment(QStringLiteral("alignment"),
                                       QStringLiteral("Also write the factory block and the power "
                                                      "and squelch calibration."));
    const QCommandLineOption noVerify(QStringLiteral("no-verify"),
                                      QStringLiteral("Do not read each radio back after writing."));
    parser.addOptions({PortOption(), TraceOption(), count, alignment, noVerify});
    AddConfigOption(parser);
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The image to write."));
    int exitCode = kExitOk;
    if (!ParseCommand(
            parser, arguments,
            QStringLiteral("Programs radio after radio with the same image. Connect a "
                           "radio and it is read (its backup), written unless it already "
                           "holds the image, and read back; one line per radio. Stops "
                           "after --count programmed radios or at Ctrl+C, prints a "
                           "summary and exits 0 only when every radio written succeeded."),
            &exitCode))
        return exitCode;
    CloneSettings settings;
    if (!TakeDevice(parser, &settings.port) || !ParseCount(parser, &settings.count))
        return kExitBadInput;
    if (parser.positionalArguments().size() != 1) {
        PrintError(QStringLiteral("clone: use chprog clone --port DEVICE FILE.dat [--count N]"));
        return kExitBadInput;
    }
    if (!LoadImage(parser.positionalArguments().first(), &settings.image, &exitCode))
        return exitCode;
    settings.iniPath = ConfigIniPath(parser);
    ClampCalibration(settings.image); // as every write does, so that the comparisons hold
    settings.alignment = parser.isSet(alignment);
    settings.verify = !parser.isSet(noVerify);
    CatchInterrupt(); // the first Ctrl+C ends the run after the radio in hand
    return CloneRun(settings).run();
}
