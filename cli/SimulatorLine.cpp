#include "cli/SimulatorLine.h"
#include "files/DatFile.h"

#include "cli/CliSupport.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#ifdef __APPLE__
#include <util.h> // openpty
#else
#include <pty.h>
#endif
#include <termios.h>
#include <unistd.h>

namespace {

// After this much silence the PC has given up on whatever it was sending; within an
// exchange it never pauses this long.
constexpr int kIdleMs = 500;
constexpr int kBitsPerByte = 10; // start bit, 8 data bits, stop bit

int g_signalPipe[2] = {-1, -1};

// The radios of a fleet, for the parent's handler that hands signals on.
std::vector<pid_t> g_fleet;

void HandOn(int signal) {
    for (pid_t radio : g_fleet)
        ::kill(radio, signal);
}

void OnSignal(int signal) {
    const char code = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t ignored = ::write(g_signalPipe[1], &code, 1);
}

bool InstallSignals() {
    if (::pipe(g_signalPipe) != 0)
        return false;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGUSR1})
        sigaction(signal, &action, nullptr);
    return true;
}

qint64 NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void SleepUntilNs(qint64 deadline) {
    timespec when{};
    when.tv_sec = static_cast<time_t>(deadline / 1000000000);
    when.tv_nsec = static_cast<long>(deadline % 1000000000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &when, nullptr) == EINTR) {
    }
}

void MakeRaw(int fd) {
    termios raw{};
    tcgetattr(fd, &raw);
    cfmakeraw(&raw);
    tcsetattr(fd, TCSANOW, &raw);
}

// The pseudo-terminal and the clock of a line of the given speed. Bytes take their
// time in both directions: one from the PC counts as arrived only once a real line
// would have carried it, and answers leave one byte-time apart.
class Line {
public:
    explicit Line(int baud) : m_byteNs(baud > 0 ? kBitsPerByte * 1000000000LL / baud : 0) {}
    ~Line() {
        if (m_master >= 0)
            ::close(m_master);
        if (m_slave >= 0)
            ::close(m_slave);
    }

    bool open(QString* device) {
        char name[256] = {};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
            return false;
        // The slave stays open here too, so the line does not hang up between the PC's opens.
        MakeRaw(m_master);
        MakeRaw(m_slave);
        *device = QString::fromLocal8Bit(name);
        return true;
    }
    int fd() const { return m_master; }

    // Waits for the moment a real line would have delivered the next byte from the PC,
    // given that the system handed it over at `receivedNs`. Deadlines are absolute, so
    // the small lateness of each wake-up does not add up.
    void awaitArrival(qint64 receivedNs) {
        if (m_byteNs == 0)
            return;
        m_inboundFreeAt = std::max(m_inboundFreeAt, receivedNs) + m_byteNs;
        SleepUntilNs(m_inboundFreeAt);
    }

    // Sends an answer, with its pause if it has one (a fault of the radio).
    void send(const QByteArray& bytes, const ReplyPause& pause) {
        if (pause.ms <= 0 || pause.beforeByte >= bytes.size()) {
            sendPaced(bytes);
            return;
        }
        sendPaced(bytes.left(pause.beforeByte));
        SleepUntilNs(NowNs() + pause.ms * 1000000LL);
        sendPaced(bytes.mid(pause.beforeByte));
    }

private:
    void sendPaced(const QByteArray& bytes) {
        if (m_byteNs == 0) {
            writeAll(bytes.constData(), bytes.size());
            return;
        }
        qint64 due = NowNs();
        for (char byte : bytes) {
            due += m_byteNs;
            SleepUntilNs(due);
            writeAll(&byte, 1);
        }
    }

    void writeAll(const char* data, qsizetype size) {
        while (size > 0) {
            const ssize_t n = ::write(m_master, data, static_cast<size_t>(size));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return;
            data += n;
            size -= n;
        }
    }

    qint64 m_byteNs;
    qint64 m_inboundFreeAt = 0;
    int m_master = -1;
    int m_slave = -1;
};

bool MakeLink(const QString& linkPath, const QString& device) {
    const QFileInfo existing(linkPath);
    if (existing.isSymLink())
        QFile::remove(linkPath); // left behind by an earlier simulator
    else if (existing.exists()) {
        PrintError(QStringLiteral("simulate: %1 exists and is not a link; choose another --link")
                       .arg(linkPath));
        return false;
    }
    if (::symlink(QFile::encodeName(device).constData(), QFile::encodeName(linkPath).constData()) !=
        0) {
        PrintError(QStringLiteral("simulate: cannot create the link %1 (%2)")
                       .arg(linkPath, QString::fromLocal8Bit(std::strerror(errno))));
        return false;
    }
    return true;
}

bool SaveMemory(const SimulatedRadio& radio, const QString& savePath) {
    if (savePath.isEmpty())
        return true;
    QString error;
    if (SaveDatFile(savePath, radio.memory(), &error))
        return true;
    PrintError(QStringLiteral("simulate: ") + error);
    return false;
}

// "12.345 < 52 00 08 08": milliseconds since the start, direction, bytes.
void Trace(const char* direction, const QByteArray& bytes) {
    static const qint64 startNs = NowNs();
    std::fprintf(stderr, "%10.3f %s %s\n", (NowNs() - startNs) / 1e6, direction,
                 bytes.toHex(' ').toUpper().constData());
}

// Feeds what the PC sent to the radio and sends the answers back.
void Serve(SimulatedRadio& radio, Line& line, bool trace) {
    char buffer[256];
    const ssize_t n = ::read(line.fd(), buffer, sizeof buffer);
    const qint64 receivedNs = NowNs();
    if (trace && n > 0)
        Trace("<", QByteArray(buffer, static_cast<int>(n)));
    for (ssize_t i = 0; i < n; ++i) {
        line.awaitArrival(receivedNs);
        const QByteArray answer = radio.receive(static_cast<std::uint8_t>(buffer[i]));
        if (answer.isEmpty())
            continue;
        line.send(answer, radio.pause());
        if (trace)
            Trace(">", answer);
    }
}

} // namespace

int RunSimulatorLine(SimulatedRadio& radio, const SimulatorOptions& options) {
    Line line(options.baud);
    QString device;
    if (!InstallSignals() || !line.open(&device)) {
        PrintError(QStringLiteral("simulate: cannot create a pseudo-terminal (%1)")
                       .arg(QString::fromLocal8Bit(std::strerror(errno))));
        return kExitFailure;
    }
    if (!MakeLink(options.linkPath, device))
        return kExitBadInput;
    std::fprintf(stderr, "ready: %s -> %s\n", QFile::encodeName(options.linkPath).constData(),
                 QFile::encodeName(device).constData());
    std::fflush(stderr);

    bool running = true;
    bool idle = true;
    while (running) {
        pollfd fds[2] = {{line.fd(), POLLIN, 0}, {g_signalPipe[0], POLLIN, 0}};
        const int ready = ::poll(fds, 2, idle ? -1 : kIdleMs);
        if (ready == 0) {
            radio.lineIdle();
            idle = true;
            continue;
        }
        if (ready < 0)
            continue; // interrupted by a signal: the pipe has it
        if (fds[1].revents & POLLIN) {
            char signal = 0;
            if (::read(g_signalPipe[0], &signal, 1) == 1) {
                if (signal == SIGUSR1)
                    SaveMemory(radio, options.savePath);
                else
                    running = false;
            }
        }
        if (fds[0].revents & POLLIN) {
            Serve(radio, line, options.trace);
            idle = false;
        }
    }
    const bool saved = SaveMemory(radio, options.savePath);
    QFile::remove(options.linkPath);
    return saved ? kExitOk : kExitFailure;
}

int RunSimulatorFleet(const std::vector<SimulatedRadioSetup>& radios, bool swapAfterWrite) {
    bool radiosStarted = true;
    for (std::size_t k = 0; k < radios.size(); ++k) {
        const SimulatedRadioSetup& setup = radios[k];
        std::fflush(nullptr); // a child must not write out the parent's buffers again
        const pid_t child = ::fork();
        if (child < 0) {
            PrintError(QStringLiteral("simulate: cannot start radio %1 (%2)")
                           .arg(k + 1)
                           .arg(QString::fromLocal8Bit(std::strerror(errno))));
            HandOn(SIGTERM);
            radiosStarted = false;
            break;
        }
        if (child == 0) {
            g_fleet.clear();
            const int number = static_cast<int>(k) + 1;
            SimulatedRadio radio(FleetRadioMemory(setup.memory, number, 1), setup.faults);
            if (swapAfterWrite) {
                const RadioImage fresh = setup.memory;
                radio.swapAfterWrite([fresh, number](int generation) {
                    return FleetRadioMemory(fresh, number, generation);
                });
            }
            std::fflush(nullptr);
            ::_exit(RunSimulatorLine(radio, setup.options));
        }
        g_fleet.push_back(child);
    }
    struct sigaction action {};
    action.sa_handler = HandOn;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGUSR1})
        sigaction(signal, &action, nullptr);
    int worst = kExitOk;
    for (pid_t radio : g_fleet) {
        int status = 0;
        while (::waitpid(radio, &status, 0) < 0 && errno == EINTR) {
        }
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : kExitFailure;
        worst = std::max(worst, code);
    }
    return radiosStarted ? worst : kExitFailure;
}
