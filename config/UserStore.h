#pragma once
// The per-user store of the program's own values ("com", "Type", "Field"), named by
// AppName of Program.ini: the registry key HKEY_CURRENT_USER\Software\<AppName> on
// Windows, $XDG_CONFIG_HOME/<package>/<AppName>.conf elsewhere, beside the user's own
// Program.ini, so everything the program keeps for a user is under its own name.

#include <QString>
#include <QVariant>

// AppName names a file, a folder or a registry key; this is the one name made of it that
// stays inside its parent folder on every platform.
QString SafeAppName(const QString& appName);

// Where the backups of radio images are kept:
// ${XDG_DATA_HOME:-~/.local/share}/<package>/<AppName>/backups (the user's data folder on
// other systems).
QString BackupFolder(const QString& appName);

// The window program's programming log, beside the backups folder: one JSON line per
// Write (files/ProgrammingLog.h).
QString ProgrammingLogFile(const QString& appName);

// Earlier versions kept the store in $XDG_CONFIG_HOME/Software/<AppName>.conf and the
// backups in ${XDG_DATA_HOME}/<AppName>/backups. Moves what is there to the places above,
// once: a store is moved only when there is none in the new place yet, and a backup only
// when the new folder has no file of its name (a file that cannot be moved stays where it
// was, so nothing is lost). The old places are not read again. Both programs call it
// through the store and BackupFolder, once per AppName and run.
void MoveEarlierUserFiles(const QString& appName);

class UserStore {
public:
    // Opens the store named by [Setup] AppName of `iniPath`.
    explicit UserStore(const QString& iniPath);

    // A missing or unreadable value reads as `fallback`. Names match without regard
    // to case, as registry value names do.
    int readNumber(const QString& name, int fallback = 0) const;
    void writeNumber(const QString& name, int value);
    // Texts kept beside the numbers (a chosen device, the last file folder); empty
    // when missing.
    QString readText(const QString& name) const;
    void writeText(const QString& name, const QString& value);
    void remove(const QString& name);

    QString appName() const { return m_appName; }

    // The window program's Write reads the written blocks back unless the user turned
    // it off (VerifyAfterWriting=0).
    bool verifiesAfterWriting() const;
    void setVerifiesAfterWriting(bool on);
    // It shows what the write changes in the radio and asks first, unless the user
    // turned it off (ShowChangesBeforeWriting=0).
    bool showsChangesBeforeWriting() const;
    void setShowsChangesBeforeWriting(bool on);

    // The operator a programming log names, as last typed in the fleet station.
    QString operatorName() const;
    void setOperatorName(const QString& name);

private:
    void writeValue(const QString& name, const QVariant& value);

    QString m_appName;
};
