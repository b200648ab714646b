#pragma once
// Program > Check Against Plan...: a choice of plan (the document's own first) and the
// rules its channels break, one line each: channel, field, value, rule. A double-click
// on a line chooses that cell, for the channel grid to go to; without breaches the
// dialog says so.

#include "document/ChannelPlan.h"
#include "radio/Language.h"
#include "radio/RadioImage.h"

#include <QDialog>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QTreeWidget;

class PlanCheckDlg : public QDialog {
    Q_OBJECT
public:
    // `preselected`: the id of the plan shown first (the document's), or empty.
    PlanCheckDlg(std::vector<ChannelPlan> plans, const QString& preselected,
                 const RadioImage& image, Language language, QWidget* parent = nullptr);

    // The breach of the line double-clicked, when the dialog closed that way.
    std::optional<PlanBreach> chosenBreach() const { return m_chosen; }
    // The plan whose breaches are shown, or nullptr: the document holds its channels to
    // it once the dialog closes.
    const ChannelPlan* shownPlan() const;

    QComboBox* planChoice() const { return m_choice; }
    QTreeWidget* breachList() const { return m_list; }
    // "No channel breaks a rule of ..." when the plan shown has no breaches.
    QLabel* noBreachNote() const { return m_none; }

private:
    void showBreachesOf(int planIndex);

    std::vector<ChannelPlan> m_plans;
    RadioImage m_image;
    Language m_language;
    std::vector<PlanBreach> m_breaches;
    std::optional<PlanBreach> m_chosen;
    QComboBox* m_choice;
    QTreeWidget* m_list;
    QLabel* m_none;
};
