#include "link/PortPermission.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString kUsualGroup = QStringLiteral("dialout");

QString CurrentUserName() {
#ifdef Q_OS_UNIX
    if (const passwd* entry = ::getpwuid(::getuid()))
        return QString::fromLocal8Bit(entry->pw_name);
#endif
    const QString fromEnvironment = qEnvironmentVariable("USER");
    return fromEnvironment.isEmpty() ? QStringLiteral("$USER") : fromEnvironment;
}

} // namespace

QString FileGroupName(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return QString();
    if (const group* entry = ::getgrgid(status.st_gid))
        return QString::fromLocal8Bit(entry->gr_name);
#else
    Q_UNUSED(path);
#endif
    return QString();
}

QString PermissionAdvice(const QString& device, const QString& userName, const QString& groupName) {
    const QString group = groupName.isEmpty() ? kUsualGroup : groupName;
    const QString owner =
        group == kUsualGroup
            ? QString()
            : QStringLiteral(" It belongs to the group %1 (not %2).").arg(group, kUsualGroup);
    return QStringLiteral("%1: no permission to open the device.%2 Add your user to the %3 "
                          "group:\n    sudo usermod -aG %3 %4\nthen log out and log in again.")
        .arg(device, owner, group, userName);
}

QString PermissionAdvice(const QString& device) {
    return PermissionAdvice(device, CurrentUserName(), FileGroupName(device));
}
