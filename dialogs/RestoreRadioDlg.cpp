#include "dialogs/RestoreRadioDlg.h"

#include "radio/OwnTexts.h"
#include "ui/CommandIds.h"
#include "ui/HelpHook.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString KindText(const BackupEntry& entry, Language language) {
    const QString kind = entry.kind == BackupKind::Read ? Tr(language, "read", "讀取")
                                                             : Tr(language, "written", "寫入的");
    return entry.first ? kind + Tr(language, " (first)", "（首個）") : kind;
}

} // namespace

RestoreRadioDlg::RestoreRadioDlg(std::vector<BackupEntry> backups, const QString& preselected,
                                 Language language, QWidget* parent)
    : QDialog(parent), m_backups(std::move(backups)), m_list(new QTreeWidget(this)),
      m_restore(nullptr) {
    setWindowTitle(Tr(language, "Restore Radio", "恢復電台"));
    setProperty(kHelpIdProperty, CommandId::kRestoreRadio);
    auto* intro = new QLabel(Tr(language, "The backups of this radio, newest first:",
                                "此電台的備份（最新的在前）："),
                             this);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({Tr(language, "Time", "時間"), Tr(language, "Kind", "類型"),
                             Tr(language, "File", "檔案")});
    for (int column = 0; column < 2; ++column)
        m_list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    for (const BackupEntry& entry : m_backups) {
        auto* item = new QTreeWidgetItem(
            m_list, {entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                     KindText(entry, language), QFileInfo(entry.path).fileName()});
        if (entry.path == preselected)
            m_list->setCurrentItem(item);
    }

    auto* buttons = new QDialogButtonBox(this);
    m_restore = buttons->addButton(Tr(language, "Restore", "恢復"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel)->setText(Tr(language, "Cancel", "取消"));
    m_restore->setDefault(true);
    m_restore->setEnabled(m_list->currentItem() != nullptr);
    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { m_restore->setEnabled(current != nullptr); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(560, 360);
}

std::optional<BackupEntry> RestoreRadioDlg::chosenBackup() const {
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (result() != QDialog::Accepted || row < 0 || row >= static_cast<int>(m_backups.size()))
        return std::nullopt;
    return m_backups[static_cast<std::size_t>(row)];
}
