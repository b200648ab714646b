#pragma once
// File > New from Plan...: the channel plans of the run, each with its name in the run's
// language, its channel count and its description. OK (or a double-click) chooses the
// plan a new document takes its channels from.

#include "document/ChannelPlan.h"
#include "radio/Language.h"

#include <QDialog>
#include <vector>

class QTreeWidget;

class NewFromPlanDlg : public QDialog {
    Q_OBJECT
public:
    NewFromPlanDlg(std::vector<ChannelPlan> plans, Language language, QWidget* parent = nullptr);

    // The plan of the selected row, or nullptr when none is selected.
    const ChannelPlan* chosenPlan() const;

    QTreeWidget* planList() const { return m_list; }

private:
    std::vector<ChannelPlan> m_plans;
    QTreeWidget* m_list;
};
