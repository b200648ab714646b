#include "config/UserStore.h"

#include "config/InstallLayout.h"
#include "config/ProgramIni.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

namespace {

QString DataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

// Where the backups folder and the programming log of one AppName are.
QString UserDataFolderOf(const QString& appName) {
    return QDir(DataFolder()).filePath(PackageName() + u'/' + SafeAppName(appName));
}

QString BackupFolderOf(const QString& appName) {
    return UserDataFolderOf(appName) + QStringLiteral("/backups");
}

const QString kVerifyAfterWriting = QStringLiteral("VerifyAfterWriting");
const QString kOperatorName = QStringLiteral("Operator");
const QString kShowChangesBeforeWriting = QStringLiteral("ShowChangesBeforeWriting");

// The move of the earlier places, once per AppName and process (both programs may open
// the store many times in a run).
void MoveEarlierUserFilesOnce(const QString& appName) {
    static QMutex mutex;
    static QSet<QString> done;
    const QMutexLocker lock(&mutex);
    if (done.contains(appName))
        return;
    done.insert(appName);
    MoveEarlierUserFiles(appName);
}

std::unique_ptr<QSettings> OpenStore(const QString& appName) {
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\") +
                                           SafeAppName(appName),
                                       QSettings::NativeFormat);
#else
    MoveEarlierUserFilesOnce(appName);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, PackageName(),
                                       SafeAppName(appName));
#endif
}

#ifndef Q_OS_WIN
// $XDG_CONFIG_HOME/Software/<AppName>.conf to $XDG_CONFIG_HOME/<package>/<AppName>.conf.
void MoveEarlierStore(const QString& appName) {
    const QDir config(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    const QString name = SafeAppName(appName) + QStringLiteral(".conf");
    const QString earlier = config.filePath(QStringLiteral("Software/") + name);
    const QString now = config.filePath(PackageName() + u'/' + name);
    if (!QFileInfo::exists(earlier) || QFileInfo::exists(now) || !config.mkpath(PackageName()))
        return;
    if (QFile::rename(earlier, now))
        config.rmdir(QStringLiteral("Software")); // only when nothing else is left in it
}
#endif

// ${XDG_DATA_HOME}/<AppName>/backups/* into BackupFolder(appName), file by file.
void MoveEarlierBackups(const QString& appName) {
    QDir data(DataFolder());
    const QString earlierName = SafeAppName(appName) + QStringLiteral("/backups");
    const QDir earlier(data.filePath(earlierName));
    const QString now = BackupFolderOf(appName);
    if (!earlier.exists() || !QDir().mkpath(now))
        return;
    for (const QString& name : earlier.entryList(QDir::Files | QDir::Hidden)) {
        const QString target = QDir(now).filePath(name);
        if (!QFileInfo::exists(target))
            QFile::rename(earlier.filePath(name), target);
    }
    // rmdir removes only empty folders: what could not move keeps its folder.
    if (data.rmdir(earlierName))
        data.rmdir(SafeAppName(appName));
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
    MoveEarlierUserFilesOnce(appName);
    return BackupFolderOf(appName);
}

QString ProgrammingLogFile(const QString& appName) {
    return UserDataFolderOf(appName) + QStringLiteral("/programming-log.jsonl");
}

void MoveEarlierUserFiles(const QString& appName) {
#ifndef Q_OS_WIN
    MoveEarlierStore(appName);
#endif
    MoveEarlierBackups(appName);
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

bool UserStore::verifiesAfterWriting() const {
    return readNumber(kVerifyAfterWriting, 1) != 0;
}

QString UserStore::operatorName() const {
    return readText(kOperatorName);
}

void UserStore::setOperatorName(const QString& name) {
    writeText(kOperatorName, name);
}

void UserStore::setVerifiesAfterWriting(bool on) {
    writeNumber(kVerifyAfterWriting, on ? 1 : 0);
}

bool UserStore::showsChangesBeforeWriting() const {
    return readNumber(kShowChangesBeforeWriting, 1) != 0;
}

void UserStore::setShowsChangesBeforeWriting(bool on) {
    writeNumber(kShowChangesBeforeWriting, on ? 1 : 0);
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
