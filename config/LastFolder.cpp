#include "config/LastFolder.h"

#include "config/StartupConfig.h"
#include "config/UserStore.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kLastFolder = QStringLiteral("LastFolder");

} // namespace

QString LastFileFolder() {
    const QString folder = UserStore(startupConfig().iniFilePath).readText(kLastFolder);
    // A folder removed since is no better a start than the working folder.
    return QFileInfo(folder).isDir() ? folder : QString();
}

void RememberFileFolder(const QString& filePath) {
    UserStore(startupConfig().iniFilePath)
        .writeText(kLastFolder, QFileInfo(filePath).absolutePath());
}

QString InLastFolder(const QString& proposedPath) {
    const QString folder = LastFileFolder();
    if (folder.isEmpty() || proposedPath.contains(u'/') || proposedPath.contains(u'\\'))
        return proposedPath;
    return QDir(folder).filePath(proposedPath);
}
