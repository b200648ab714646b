#include "tests/support/Chprog.h"

#include <QProcess>

ChprogRun Chprog(const QStringList& arguments) {
    return RunBuilt(QStringLiteral("chprog"), arguments, QProcessEnvironment::systemEnvironment());
}

ChprogRun RunBuilt(const QString& program, const QStringList& arguments,
                   const QProcessEnvironment& environment, int timeoutMs,
                   const QString& inputFile) {
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!inputFile.isEmpty())
        process.setStandardInputFile(inputFile);
    process.start(QStringLiteral(TEST_BIN_DIR "/") + program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    const bool ended =
        process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
