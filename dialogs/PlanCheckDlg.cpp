#include "dialogs/PlanCheckDlg.h"

#include "radio/ChannelCodec.h"
#include "radio/ChannelRecord.h"
#include "radio/OwnTexts.h"
#include "ui/CommandIds.h"
#include "ui/HelpHook.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

PlanCheckDlg::PlanCheckDlg(std::vector<ChannelPlan> plans, const QString& preselected,
                           const RadioImage& image, Language language, QWidget* parent)
    : QDialog(parent), m_plans(std::move(plans)), m_image(image), m_language(language),
      m_choice(new QComboBox(this)), m_list(new QTreeWidget(this)), m_none(new QLabel(this)) {
    setWindowTitle(Tr(language, "Check Against Plan", "按信道計劃檢查"));
    setProperty(kHelpIdProperty, CommandId::kCheckAgainstPlan);
    int shown = 0;
    for (size_t i = 0; i < m_plans.size(); ++i) {
        m_choice->addItem(m_plans[i].nameIn(language));
        if (m_plans[i].id.compare(preselected, Qt::CaseInsensitive) == 0)
            shown = int(i);
    }
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({Tr(language, "Channel", "信道"), Tr(language, "Field", "欄位"),
                             Tr(language, "Value", "值"), Tr(language, "Rule", "規則")});
    for (int column = 0; column < 3; ++column)
        m_list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_none->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(Tr(language, "Close", "關閉"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const int row = m_list->indexOfTopLevelItem(item);
        if (row < 0 || row >= int(m_breaches.size()))
            return;
        m_chosen = m_breaches[size_t(row)];
        accept();
    });
    connect(m_choice, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &PlanCheckDlg::showBreachesOf);

    auto* fields = new QFormLayout;
    fields->addRow(Tr(language, "Plan", "計劃"), m_choice);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_list);
    layout->addWidget(m_none);
    layout->addWidget(buttons);
    resize(640, 360);
    m_choice->setCurrentIndex(shown);
    showBreachesOf(shown);
}

const ChannelPlan* PlanCheckDlg::shownPlan() const {
    const int index = m_choice->currentIndex();
    return index >= 0 && index < int(m_plans.size()) ? &m_plans[size_t(index)] : nullptr;
}

void PlanCheckDlg::showBreachesOf(int planIndex) {
    m_list->clear();
    m_breaches.clear();
    if (planIndex < 0 || planIndex >= int(m_plans.size()))
        return;
    const ChannelPlan& plan = m_plans[size_t(planIndex)];
    m_breaches = PlanBreaches(m_image, plan.rules);
    for (const PlanBreach& breach : m_breaches) {
        const int column = int(breach.field) + kColRxFrequency;
        const ChannelRow cells =
            ChannelCellTexts(ReadChannel(m_image, breach.channel), breach.channel, m_language);
        new QTreeWidgetItem(m_list, {QStringLiteral("CH %1").arg(breach.channel),
                                     ChannelColumnHeading(column, m_language),
                                     cells[size_t(column)],
                                     PlanRuleText(breach.rule, plan.rules)});
    }
    m_none->setText(OwnText("No channel breaks a rule of %1.").arg(plan.nameIn(m_language)));
    m_none->setVisible(m_breaches.empty());
    m_list->setVisible(!m_breaches.empty());
}
