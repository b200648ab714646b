#pragma once
// The Password dialog: asks for the alignment access code. A wrong entry shows
// "Password Error" and keeps the dialog open with the entry as typed.

#include "radio/Language.h"

#include <QDialog>

class Prompts;
class QLineEdit;

class CPasswordDlg : public QDialog {
    Q_OBJECT
public:
    // The error message goes through `prompts`, in `language`.
    CPasswordDlg(const Prompts& prompts, Language language, QWidget* parent = nullptr);

    QString password() const;
    QLineEdit* entry() const { return m_entry; }

public slots:
    void accept() override;

private:
    void showPasswordError();

    const Prompts& m_prompts;
    Language m_language;
    QLineEdit* m_entry;
};
