#pragma once
// The Optional Features dialog: the radio's general settings. It shows the image's
// settings when it opens and writes them back on OK. Only digits, Backspace, Delete
// and the arrows reach its controls, so it is closed with the mouse.

#include "radio/Language.h"
#include "radio/OptionalFeatures.h"
#include "radio/RadioImage.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;

class COptionalFeaturesDlg : public QDialog {
    Q_OBJECT
public:
    COptionalFeaturesDlg(QWidget* parent, Language language);

    // Runs the dialog on `image`. True when OK changed the image; Cancel, or OK
    // without a change, leaves it as it was.
    bool run(RadioImage& image);

    // F1, with the id of the control that has the focus.
    std::function<void(int contextId)> helpRequested;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addSettingLists(QGridLayout* grid);
    void addCheckBoxes(QGridLayout* grid);
    // Adds a list with its label (returned) at `row`, `column` of the grid.
    QLabel* addList(QGridLayout* grid, FeatureList list, const char* label, int row, int column,
                    int controlId);
    void filterKeysOfEveryControl();
    void fillLists();
    void showFeatures(const OptionalFeatures& features);
    OptionalFeatures shownFeatures() const;

    Language m_language;
    std::array<QComboBox*, kFeatureListCount> m_lists{};
    QCheckBox* m_beep = nullptr;
    QCheckBox* m_batterySaver = nullptr;
    QPushButton* m_ok = nullptr;
};
