#pragma once
// What to tell a user whom the system does not let open a serial device. When the
// device's group may read and write it, joining that group is the fix (dialout on
// Debian), with the exact command. When it may not (a device only root may open, or one
// whose group is root), no group helps: the fix is the package's udev rule, which opens
// the listed programming cables to the logged-in user. Advice never names root's group.

#include <QString>

// Who owns a device and who may open it, as stat() tells.
struct DeviceAccess {
    QString ownerName;  // empty when unknown
    QString groupName;  // empty when unknown
    unsigned mode = 0;  // the permission bits (0660 for a usual serial device)
    bool known = false; // false when stat() failed
};

// The advice for `device` with `access`, for the user `userName`.
QString PermissionAdvice(const QString& device, const QString& userName,
                         const DeviceAccess& access);

// The same for this user and the device as it is.
QString PermissionAdvice(const QString& device);

// Owner, group and mode of `path`.
DeviceAccess AccessOf(const QString& path);
