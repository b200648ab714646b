#pragma once
// What a Write changes in the radio, before it is written: one line per difference from
// what the radio holds to what it will hold (channels in the grid's words, settings by
// name, other bytes in hex), Write and Cancel, and the choice to be shown this again.

#include "document/ImageDifferences.h"
#include "radio/Language.h"

#include <QDialog>
#include <QStringList>
#include <vector>

class QCheckBox;
class QPushButton;
class QTreeWidget;

// The lines of the list: what, field, the radio's value, the value written.
std::vector<QStringList> WritePreviewLines(const ImageComparison& changes, Language language);

class WritePreviewDlg : public QDialog {
    Q_OBJECT
public:
    WritePreviewDlg(const ImageComparison& changes, Language language, bool showsChanges,
                    QWidget* parent = nullptr);

    // The check box "Show changes before writing", as the user left it.
    bool showsChanges() const;

    QTreeWidget* changeList() const { return m_list; }
    QCheckBox* showChangesBox() const { return m_showChanges; }
    QPushButton* writeButton() const { return m_write; }

private:
    QTreeWidget* m_list;
    QCheckBox* m_showChanges;
    QPushButton* m_write;
};
