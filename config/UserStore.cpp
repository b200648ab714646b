#include "config/UserStore.h"

#include "config/ProgramIni.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

namespace {

std::unique_ptr<QSettings> OpenStore(const QString& appName) {
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\") +
                                           SafeAppName(appName),
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Software"), SafeAppName(appName));
#endif
}

} // namespace

// Path separators, the drive colon, control characters and runs of dots become '_',
// so "../../x/evil" is "______x_evil"; an empty name is "_".
QString SafeAppName(const QString& appName) {
    static const QRegularExpression unsafe(
        QStringLiteral(R"([/\\:\x00-\x1F\x7F]|\.(?=\.)|(?<=\.)\.)"));
    QString name = appName;
    name.replace(unsafe, QStringLiteral("_"));
    return name.isEmpty() ? QStringLiteral("_") : name;
}

QString BackupFolder(const QString& appName) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(SafeAppName(appName) + QStringLiteral("/backups"));
}

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
    writeValue(name, value);
}

QString UserStore::readText(const QString& name) const {
    const auto store = OpenStore(m_appName);
    for (const QString& key : store->childKeys()) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return store->value(key).toString();
    }
    return QString();
}

void UserStore::writeText(const QString& name, const QString& value) {
    writeValue(name, value);
}

void UserStore::remove(const QString& name) {
    const auto store = OpenStore(m_appName);
    for (const QString& key : store->childKeys()) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            store->remove(key);
    }
}

// One value per name whatever its letter case, as in the registry.
void UserStore::writeValue(const QString& name, const QVariant& value) {
    const auto store = OpenStore(m_appName);
    QSettings& settings = *store;
    for (const QString& key : settings.childKeys()) {
        if (key.compare(name, Qt::CaseInsensitive) == 0 && key != name)
            settings.remove(key);
    }
    settings.setValue(name, value);
}
