#include "config/InstallLayout.h"

#include "files/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

const QString kIniFileName = QStringLiteral("Program.ini");

QString WithSlash(const QString& directory) {
    return QDir(directory).absolutePath() + u'/';
}

// A file the run may change: decided by trying, because QFileInfo::isWritable reads the
// mode bits only (on Windows it ignores NTFS rights, so C:\Program Files would pass). An
// existing file is opened for appending, which changes nothing; otherwise a probe file is
// made beside it and removed again.
bool MayWrite(const QString& path) {
    QFile file(path);
    if (file.exists())
        return file.open(QIODevice::Append);
    QTemporaryFile probe(QFileInfo(path).absolutePath() + QStringLiteral("/.write-probe-XXXXXX"));
    return probe.open();
}

// Copies the default's bytes into a new file of the user's own (a plain copy would
// keep the installed file's read-only mode).
bool CreateUserCopy(const QString& defaultIni, const QString& userIni) {
    QFile source(defaultIni);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    if (!QDir().mkpath(QFileInfo(userIni).absolutePath()))
        return false;
    return AtomicFile::replace(userIni, source.readAll(), nullptr);
}

} // namespace

QString PackageName() {
    return QStringLiteral(PROGRAM_PACKAGE_NAME);
}

InstallLayout DetectInstallLayout(const QString& executableDirectory) {
    InstallLayout layout;
    const QDir exe(executableDirectory);
    const QString shared = exe.filePath(QStringLiteral("../share/") + PackageName());
    const bool companionsBeside = QFileInfo::exists(exe.filePath(kIniFileName));
    if (!companionsBeside && QFileInfo::exists(QDir(shared).filePath(kIniFileName))) {
        layout.companionDirectory = WithSlash(QDir::cleanPath(shared));
        layout.installed = true;
    } else {
        layout.companionDirectory = WithSlash(executableDirectory);
    }
    return layout;
}

QString UserIniPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(PackageName() + u'/' + kIniFileName);
}

QString RunIniPath(const InstallLayout& layout, const QString& configDirectory) {
    if (!configDirectory.isEmpty())
        return QDir(configDirectory).filePath(kIniFileName);
    const QString companionIni = layout.companionDirectory + kIniFileName;
    if (!layout.installed && MayWrite(companionIni))
        return companionIni;
    return UserIniPath();
}

QString UsableRunIniPath(const InstallLayout& layout, const QString& configDirectory,
                         bool createUserCopy) {
    const QString path = RunIniPath(layout, configDirectory);
    if (path != UserIniPath() || QFileInfo::exists(path))
        return path;
    const QString companionIni = layout.companionDirectory + kIniFileName;
    if (createUserCopy && CreateUserCopy(companionIni, path))
        return path;
    return companionIni;
}

QStringList ChannelPlanFolders(const InstallLayout& layout) {
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return {layout.companionDirectory + QStringLiteral("plans"),
            QDir(userData).filePath(PackageName() + QStringLiteral("/plans"))};
}
