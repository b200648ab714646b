#pragma once
// Program > Restore Radio...: the backups of the radio just read, newest first, each with
// its time and kind (read from the radio, or about to be written to it). What the radio
// held before its last write is chosen first.

#include "files/Backups.h"
#include "radio/Language.h"

#include <QDialog>
#include <optional>
#include <vector>

class QPushButton;
class QTreeWidget;

class RestoreRadioDlg : public QDialog {
    Q_OBJECT
public:
    // `preselected`: the path of the backup chosen first; empty when none is.
    RestoreRadioDlg(std::vector<BackupEntry> backups, const QString& preselected,
                    Language language, QWidget* parent = nullptr);

    // The backup chosen, once the dialog closed with Restore.
    std::optional<BackupEntry> chosenBackup() const;

    QTreeWidget* backupList() const { return m_list; }
    QPushButton* restoreButton() const { return m_restore; }

private:
    std::vector<BackupEntry> m_backups;
    QTreeWidget* m_list;
    QPushButton* m_restore;
};
