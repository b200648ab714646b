#include "link/PortPermission.h"

#include "config/InstallLayout.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString kUsualGroup = QStringLiteral("dialout");
const QString kRoot = QStringLiteral("root");
constexpr unsigned kGroupReadWrite = 0060;

QString CurrentUserName() {
#ifdef Q_OS_UNIX
    if (const passwd* entry = ::getpwuid(::getuid()))
        return QString::fromLocal8Bit(entry->pw_name);
#endif
    const QString fromEnvironment = qEnvironmentVariable("USER");
    return fromEnvironment.isEmpty() ? QStringLiteral("$USER") : fromEnvironment;
}

// A group whose members may open the device, and that is not root's own.
bool GroupOpensIt(const DeviceAccess& access) {
    return access.known && !access.groupName.isEmpty() && access.groupName != kRoot &&
           (access.mode & kGroupReadWrite) == kGroupReadWrite;
}

QString JoinGroupAdvice(const QString& device, const QString& userName, const QString& group) {
    const QString owner =
        group == kUsualGroup
            ? QString()
            : QStringLiteral(" It belongs to the group %1 (not %2).").arg(group, kUsualGroup);
    return QStringLiteral("%1: no permission to open the device.%2 Add your user to the %3 "
                          "group:\n    sudo usermod -aG %3 %4\nthen log out and log in again.")
        .arg(device, owner, group, userName);
}

QString UdevRuleAdvice(const QString& device, const DeviceAccess& access) {
    const QString owner =
        access.known ? QStringLiteral(" (owner %1, group %2, mode %3)")
                           .arg(access.ownerName.isEmpty() ? QStringLiteral("?") : access.ownerName,
                                access.groupName.isEmpty() ? QStringLiteral("?") : access.groupName)
                           .arg(access.mode, 4, 8, QLatin1Char('0'))
                     : QString();
    return QStringLiteral(
               "%1: no permission to open the device: it is open to root only%2, and no group "
               "would help. The package's udev rule %3 gives the logged-in user the listed "
               "programming cables; for another cable add a line with its vendor:product "
               "(the fifth column of chprog ports) to a copy in /etc/udev/rules.d/, run\n"
               "    sudo udevadm control --reload-rules\nand plug the cable in again.")
        .arg(device, owner, QStringLiteral("/usr/lib/udev/rules.d/60-%1.rules").arg(PackageName()));
}

} // namespace

DeviceAccess AccessOf(const QString& path) {
    DeviceAccess access;
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return access;
    access.known = true;
    access.mode = status.st_mode & 07777;
    if (const passwd* owner = ::getpwuid(status.st_uid))
        access.ownerName = QString::fromLocal8Bit(owner->pw_name);
    if (const group* entry = ::getgrgid(status.st_gid))
        access.groupName = QString::fromLocal8Bit(entry->gr_name);
#else
    Q_UNUSED(path);
#endif
    return access;
}

QString PermissionAdvice(const QString& device, const QString& userName,
                         const DeviceAccess& access) {
    if (!access.known)
        return JoinGroupAdvice(device, userName, kUsualGroup);
    if (GroupOpensIt(access))
        return JoinGroupAdvice(device, userName, access.groupName);
    return UdevRuleAdvice(device, access);
}

QString PermissionAdvice(const QString& device) {
    return PermissionAdvice(device, CurrentUserName(), AccessOf(device));
}
