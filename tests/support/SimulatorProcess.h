#pragma once
// `chprog simulate` as a child process: the radio at the far end of a pseudo-terminal.

#include "tests/support/Files.h"
#include "radio/RadioImage.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The simulated radio needs POSIX pseudo-terminals; a test that starts one skips elsewhere.
#ifdef Q_OS_UNIX
#define SKIP_WITHOUT_SIMULATOR() \
    do {                         \
    } while (false)
#else
#define SKIP_WITHOUT_SIMULATOR() QSKIP("the simulated radio needs POSIX pseudo-terminals")
#endif

class SimulatorProcess {
public:
    // Starts the simulator with `options` (--fault, --baud ...) on `linkPath` (radios
    // connected one after another to one cable), or on a link of its own in a temporary
    // folder; it saves its memory to savedPath() on stop().
    explicit SimulatorProcess(const QStringList& options = {}, const QString& linkPath = {});
    // The same, starting with `memory` (the simulator's --image).
    explicit SimulatorProcess(const RadioImage& memory, const QStringList& options = {});
    ~SimulatorProcess();

    bool isReady() const { return m_ready; }
    QString linkPath() const { return m_linkPath; }
    QString savedPath() const { return m_dir.filePath(QStringLiteral("saved.dat")); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // Ends the simulator (SIGTERM), which saves its memory; true when it ended cleanly.
    bool stop();
    // The memory it saved.
    QByteArray savedMemory() const;

private:
    void start(const QStringList& options, QString linkPath);

    QTemporaryDir m_dir;
    QString m_linkPath;
    QProcess m_process;
    bool m_ready = false;
};
