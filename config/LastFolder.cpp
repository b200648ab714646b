#include "config/LastFolder.h"

#include "config/UserStore.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kLastFolder = QStringLiteral("LastFolder");

} // namespace

QString LastFileFolder(const QString& iniPath) {
    const QString folder = UserStore(iniPath).readText(kLastFolder);
    // A folder removed since is no better a start than the working folder.
    return QFileInfo(folder).isDir() ? folder : QString();
}

void RememberFileFolder(const QString& iniPath, const QString& filePath) {
    UserStore(iniPath).writeText(kLastFolder, QFileInfo(filePath).absolutePath());
}

QString InLastFolder(const QString& iniPath, const QString& proposedPath) {
    const QString folder = LastFileFolder(iniPath);
    if (folder.isEmpty() || proposedPath.contains(u'/') || proposedPath.contains(u'\\'))
        return proposedPath;
    return QDir(folder).filePath(proposedPath);
}
