#pragma once
// Runs the built chprog as a user would and collects what it said.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ChprogRun {
    int status = -1; // -1 when it crashed or did not end
    QString out;
    QString err;
};

ChprogRun Chprog(const QStringList& arguments);

// Any program of the build folder ("Program"), in `environment`, reading standard input
// from `inputFile` when given; one that has not ended within `timeoutMs` counts as not
// ended.
ChprogRun RunBuilt(const QString& program, const QStringList& arguments,
                   const QProcessEnvironment& environment, int timeoutMs = 60000,
                   const QString& inputFile = QString());
