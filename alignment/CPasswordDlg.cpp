#include "alignment/CPasswordDlg.h"

#include "radio/AlignmentAccess.h"
#include "alignment/DialogUnits.h"
#include "ui/HelpHook.h"
#include "ui/HelpTopics.h"
#include "ui/Prompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kWidth = 133; // dialog units
constexpr int kHeight = 71;

} // namespace

CPasswordDlg::CPasswordDlg(const Prompts& prompts, Language language, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_language(language), m_entry(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Password"));
    setProperty(kHelpIdProperty, kPasswordHelpId);
    const DialogUnits units(this);
    setFixedSize(units.size(kWidth, kHeight));

    auto* label = new QLabel(QStringLiteral("Password"), this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(units.rect(7, 18, 40, 10));

    m_entry->setGeometry(units.rect(52, 16, 70, 13));
    m_entry->setMaxLength(kAccessCodeMaxLength);
    m_entry->setEchoMode(QLineEdit::Password);
    m_entry->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(units.rect(17, 45, 45, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setGeometry(units.rect(72, 45, 45, 14));
    connect(ok, &QPushButton::clicked, this, &CPasswordDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CPasswordDlg::reject);

    m_entry->setFocus();
}

QString CPasswordDlg::password() const {
    return m_entry->text();
}

void CPasswordDlg::accept() {
    if (IsAlignmentAccessCode(m_entry->text())) {
        QDialog::accept();
        return;
    }
    showPasswordError();
}

void CPasswordDlg::showPasswordError() {
    Prompt prompt;
    prompt.caption = Tr(m_language, "Error", "错误");
    prompt.text = Tr(m_language, "Password Error", "密码错误");
    m_prompts.show(this, prompt);
}
