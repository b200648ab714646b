#pragma once
// Runs the built chprog as a user would and collects what it said.

#include <QProcess>
#include <QString>
#include <QStringList>

struct ChprogRun {
    int status = -1;
    QString out;
    QString err;
};

inline ChprogRun Chprog(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(TEST_BIN_DIR "/chprog"), arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
