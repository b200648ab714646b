#include "LanguageDlg.h"

#include "AppConfig.h"
#include "CommandIds.h"
#include "HelpHook.h"
#include "RunConfig.h"
#include "UserPrompts.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CLanguageDlg::CLanguageDlg(QWidget* parent)
    : QDialog(parent), m_english(new QRadioButton(QStringLiteral("English"), this)),
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

    auto* choices = new QHBoxLayout;
    choices->addWidget(m_english);
    choices->addWidget(m_chinese);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(buttons);
}

int CLanguageDlg::exec() {
    m_chosenIndex = appConfig().chineseLanguage ? 1 : 0;
    (m_chosenIndex == 1 ? m_chinese : m_english)->setChecked(true);
    return QDialog::exec();
}

void CLanguageDlg::accept() {
    m_chosenIndex = m_chinese->isChecked() ? 1 : 0;
    const LanguageChoiceResult result = ApplyLanguageChoice(m_chosenIndex == 1);
    m_languageChanged = result.restart;
    if (!result.ok) {
        ShowError(this, result.error);
        reject();
        return;
    }
    QDialog::accept();
}
