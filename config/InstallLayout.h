#pragma once
// Where the program's files are: beside the executable when it runs from its build
// folder, or in <prefix>/share/<package>/ when it was installed (the executables in
// <prefix>/bin). An installed Program.ini belongs to the system and is read-only for
// users, so an installed run keeps its own copy in the user's configuration folder.

#include <QString>
#include <QStringList>

// The package's own name: the installed command, the data folder and the folder of
// the per-user Program.ini.
QString PackageName();

struct InstallLayout {
    QString companionDirectory; // Program.ini, title.ico, background.bmp, help/ (trailing '/')
    bool installed = false;     // companions in <prefix>/share/<package>/
};

// The layout of an executable in `executableDirectory`.
InstallLayout DetectInstallLayout(const QString& executableDirectory);

// ~/.config/<package>/Program.ini (XDG_CONFIG_HOME is honoured).
QString UserIniPath();

// The Program.ini a run reads and writes:
// - `configDirectory` (from --config) when given;
// - else the file among the companions, when it runs from its build folder and may
//   write that file;
// - else the per-user copy (installed runs, read-only folders).
QString RunIniPath(const InstallLayout& layout, const QString& configDirectory);

// RunIniPath() made ready to read. A missing per-user copy is made from the
// companions' default first when `createUserCopy` is set (the window program), else
// the default is read in its place (chprog only reads). When the copy cannot be made
// the default is read too.
QString UsableRunIniPath(const InstallLayout& layout, const QString& configDirectory,
                         bool createUserCopy);

// Where channel plans are found: the shipped ones among the companions (plans/), then
// the user's own in ${XDG_DATA_HOME}/<package>/plans/, which may replace a shipped plan
// by using its file name.
QStringList ChannelPlanFolders(const InstallLayout& layout);
