#pragma once
// `chprog simulate` as a child process, for the end-to-end tests and the benchmark.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class SimulatorProcess {
public:
    // Starts the simulator with `options` (--fault, --image, --baud ...) on a link of
    // its own in a temporary folder; it saves its memory to savedPath() on stop().
    explicit SimulatorProcess(const QStringList& options = {});
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
    QTemporaryDir m_dir;
    QString m_linkPath;
    QProcess m_process;
    bool m_ready = false;
};

// Runs chprog with `arguments`; returns its exit status, and its standard error in `err`.
int RunChprog(const QStringList& arguments, QString* err = nullptr);

QByteArray ReadFileBytes(const QString& path);
bool WriteFileBytes(const QString& path, const QByteArray& bytes);
