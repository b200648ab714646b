#pragma once
// What to tell a user whom the system does not let open a serial device: the group
// that owns the device and the exact command that adds this user to it. On Debian
// that group is dialout; other systems (or udev rules) may use another one.

#include <QString>

// The advice for `device` owned by `groupName`, for the user `userName`.
QString PermissionAdvice(const QString& device, const QString& userName, const QString& groupName);

// The same for this user and the device's actual group.
QString PermissionAdvice(const QString& device);

// The name of the group that owns `path`; empty when it cannot be found.
QString FileGroupName(const QString& path);
