#include "dialogs/NewFromPlanDlg.h"

#include "ui/CommandIds.h"
#include "ui/HelpHook.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

NewFromPlanDlg::NewFromPlanDlg(std::vector<ChannelPlan> plans, Language language,
                               QWidget* parent)
    : QDialog(parent), m_plans(std::move(plans)), m_list(new QTreeWidget(this)) {
    setWindowTitle(Tr(language, "New from Plan", "從信道計劃新建"));
    setProperty(kHelpIdProperty, CommandId::kFileNewFromPlan);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({Tr(language, "Plan", "計劃"), Tr(language, "Channels", "信道數"),
                             Tr(language, "Description", "說明")});
    for (const ChannelPlan& plan : m_plans) {
        auto* item = new QTreeWidgetItem(
            m_list, {plan.nameIn(language), QString::number(plan.channels.size()),
                     plan.descriptionIn(language)});
        item->setToolTip(2, plan.descriptionIn(language));
    }
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_plans.empty());
    buttons->button(QDialogButtonBox::Cancel)->setText(Tr(language, "Cancel", "取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(640, 320);
}

const ChannelPlan* NewFromPlanDlg::chosenPlan() const {
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    return row >= 0 && row < int(m_plans.size()) ? &m_plans[size_t(row)] : nullptr;
}
