#include "Chprog.h"

#include <QProcess>

ChprogRun Chprog(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(TEST_BIN_DIR "/chprog"), arguments);
    process.waitForFinished(60000);
    const bool ended =
        process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
