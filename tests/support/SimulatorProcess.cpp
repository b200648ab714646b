#include "tests/support/SimulatorProcess.h"

#include "tests/support/Files.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

SimulatorProcess::SimulatorProcess(const QStringList& options, const QString& linkPath) {
    start(options, linkPath);
}

SimulatorProcess::SimulatorProcess(const RadioImage& memory, const QStringList& options) {
    const QString memoryPath = m_dir.filePath(QStringLiteral("memory.dat"));
    WriteFileBytes(memoryPath, ImageBytes(memory));
    start(QStringList{"--image", memoryPath} + options, {});
}

void SimulatorProcess::start(const QStringList& options, QString linkPath) {
    // The serial port's lock file is named after the link, so every link gets its own name.
    static int serial = 0;
    if (linkPath.isEmpty())
        linkPath = m_dir.filePath(
            QStringLiteral("radio-%1-%2").arg(QCoreApplication::applicationPid()).arg(++serial));
    m_linkPath = linkPath;
    m_process.start(QStringLiteral(TEST_BIN_DIR "/chprog"),
                    QStringList{"simulate", "--link", m_linkPath, "--save", savedPath()} + options);
    m_process.setReadChannel(QProcess::StandardError);
    m_process.waitForStarted(10000);
    QByteArray err;
    const QDeadlineTimer deadline(10000);
    while (!err.contains("ready:") && !deadline.hasExpired() &&
           m_process.state() == QProcess::Running) {
        m_process.waitForReadyRead(100);
        err += m_process.readAllStandardError();
    }
    m_ready = err.contains("ready:");
    if (!m_ready)
        qWarning("chprog simulate did not start: %s %s", err.constData(),
                 qPrintable(m_process.errorString()));
}

SimulatorProcess::~SimulatorProcess() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool SimulatorProcess::stop() {
    m_process.terminate();
    return m_process.waitForFinished(10000) && m_process.exitStatus() == QProcess::NormalExit &&
           m_process.exitCode() == 0;
}

QByteArray SimulatorProcess::savedMemory() const {
    return ReadFileBytes(savedPath());
}
