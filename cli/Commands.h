#pragma once
// The chprog commands. Each takes its own arguments (the command name first) and
// returns the exit status.

#include <QStringList>

int RunNew(const QStringList& arguments);
int RunShow(const QStringList& arguments);
int RunExportCsv(const QStringList& arguments);
int RunImportCsv(const QStringList& arguments);
int RunSettings(const QStringList& arguments);
int RunSet(const QStringList& arguments);
int RunCalibration(const QStringList& arguments);
int RunSimulate(const QStringList& arguments);
int RunRead(const QStringList& arguments);
int RunWrite(const QStringList& arguments);
int RunDiff(const QStringList& arguments);
int RunBackups(const QStringList& arguments);
int RunPorts(const QStringList& arguments);
int RunClone(const QStringList& arguments);
int RunPlans(const QStringList& arguments);
int RunCheck(const QStringList& arguments);
int RunSort(const QStringList& arguments);
int RunEdit(const QStringList& arguments);
int RunLog(const QStringList& arguments);
int RunRestore(const QStringList& arguments);
