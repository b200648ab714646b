#include "UserStore.h"

#include "ProgramIni.h"

#include <QSettings>
#include <memory>

namespace {


std::unique_ptr<QSettings> OpenStore(const QString& appName) {
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + appName,
                                       QSettings::NativeFormat);
#else
    // A store with an empty AppName still needs a file name of its own.
    const QString name = appName.isEmpty() ? QStringLiteral("_") : appName;
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Software"), name);
#endif
}

} // namespace

UserStore::UserStore(const QString& iniPath)
    : m_appName(ReadProfileString(iniPath, QStringLiteral("Setup"), QStringLiteral("AppName"))) {}

int UserStore::readNumber(const QString& name, int fallback) const {
    const auto store = OpenStore(m_appName);
    QSettings& settings = *store;
    for (const QString& key : settings.childKeys()) {
        if (key.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        bool ok = false;
        const qlonglong value = settings.value(key).toLongLong(&ok);
        // Only a 4-byte number counts.
        return ok ? static_cast<int>(static_cast<quint32>(value)) : fallback;
    }
    return fallback;
}

void UserStore::writeNumber(const QString& name, int value) {
    const auto store = OpenStore(m_appName);
    QSettings& settings = *store;
    for (const QString& key : settings.childKeys()) {
        if (key.compare(name, Qt::CaseInsensitive) == 0 && key != name)
            settings.remove(key);
    }
    settings.setValue(name, value);
}
