#include "dialogs/LanguageDlg.h"

#include "ui/CommandIds.h"
#include "ui/HelpHook.h"
#include "config/RunConfig.h"
#include "ui/Prompts.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CLanguageDlg::CLanguageDlg(Language runLanguage, const Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_runLanguage(runLanguage), m_prompts(prompts),
      m_english(new QRadioButton(QStringLiteral("English"), this)),
      m_chinese(new QRadioButton(QStringLiteral("Chinese"), this)) {
    // The dialog's labels stay English in both languages.
    setWindowTitle(QStringLiteral("Language"));
    setProperty(kHelpIdProperty, CommandId::kLanguage);
    m_english->setProperty("controlId", 1006);
    m_chinese->setProperty("controlId", 1007);
    auto* group = new QButtonGroup(this);
    group->addButton(m_english, 0);
    group->addButton(m_chinese, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Two choices above two buttons, each pair spread evenly, with room around them.
    const int gap = fontMetrics().averageCharWidth() * 4;
    auto* choices = new QHBoxLayout;
    choices->addStretch();
    choices->addWidget(m_english);
    choices->addSpacing(gap);
    choices->addWidget(m_chinese);
    choices->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addSpacing(gap);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(gap, gap, gap, gap);
    layout->setSpacing(gap);
    layout->addLayout(choices);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int CLanguageDlg::exec() {
    m_chosenIndex = m_runLanguage == Language::Chinese ? 1 : 0;
    (m_chosenIndex == 1 ? m_chinese : m_english)->setChecked(true);
    return QDialog::exec();
}

void CLanguageDlg::accept() {
    m_chosenIndex = m_chinese->isChecked() ? 1 : 0;
    const LanguageChoiceResult result = ApplyLanguageChoice(m_chosenIndex == 1);
    m_languageChanged = result.restart;
    if (!result.ok) {
        m_prompts.showError(this, result.error);
        reject();
        return;
    }
    QDialog::accept();
}
