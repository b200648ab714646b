#pragma once
// Runs the built chprog as a user would and collects what it said.

#include <QString>
#include <QStringList>

struct ChprogRun {
    int status = -1; // -1 when it crashed or did not end
    QString out;
    QString err;
};

ChprogRun Chprog(const QStringList& arguments);
