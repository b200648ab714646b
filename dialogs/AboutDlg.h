#pragma once
// Help > About: the About Title of Program.ini as caption, the program icon and the
// Version, Copyrights and Copyrights Owner lines of the run's language section.

#include <QDialog>

class QLabel;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // `programDirectory` holds title.ico (with a trailing '/').
    explicit CAboutDlg(const QString& programDirectory, QWidget* parent = nullptr);

    QLabel* versionLabel() const { return m_version; }
    QLabel* copyrightsLabel() const { return m_copyrights; }
    QLabel* ownerLabel() const { return m_owner; }

private:
    QLabel* m_icon;
    QLabel* m_version;
    QLabel* m_copyrights;
    QLabel* m_owner;
};
