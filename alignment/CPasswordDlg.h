#pragma once
// The Password dialog: asks for the alignment access code. A wrong entry shows
// "Password Error" and keeps the dialog open with the entry as typed.

#include <QDialog>

class QLineEdit;

class CPasswordDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPasswordDlg(QWidget* parent = nullptr);

    QString password() const;
    QLineEdit* entry() const { return m_entry; }

public slots:
    void accept() override;

private:
    void showPasswordError();

    QLineEdit* m_entry;
};
