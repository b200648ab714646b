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

// Any program of the build folder ("Program"), in `environment`.
ChprogRun RunBuilt(const QString& program, const QStringList& arguments,
                   const QProcessEnvironment& environment);
