#pragma once
// Setup > Language: English or Chinese for the next run. OK with the other language
// than the run's sets languageChanged(); the main window then closes, writes [Setup]
// Language of Program.ini and starts the program again.

#include "radio/Language.h"

#include <QDialog>

class Prompts;
class QRadioButton;

class CLanguageDlg : public QDialog {
    Q_OBJECT
public:
    // `runLanguage` is shown at each opening; a choice that cannot be saved is told
    // through `prompts`.
    CLanguageDlg(Language runLanguage, const Prompts& prompts, QWidget* parent = nullptr);

    // 0 English, 1 Chinese; -1 until the dialog was first opened.
    int chosenIndex() const { return m_chosenIndex; }
    // The last OK chose the other language than the run's.
    bool languageChanged() const { return m_languageChanged; }

    QRadioButton* englishButton() const { return m_english; }
    QRadioButton* chineseButton() const { return m_chinese; }

    // Shows the run's language before each opening.
    int exec() override;
    void accept() override;

private:
    Language m_runLanguage;
    const Prompts& m_prompts;
    QRadioButton* m_english;
    QRadioButton* m_chinese;
    int m_chosenIndex = -1;
    bool m_languageChanged = false;
};
