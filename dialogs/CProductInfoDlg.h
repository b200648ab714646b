#pragma once
// The Product Information dialog: the radio model and frequency band a document is
// programmed for, picked from the lists of Program.ini. It opens on the user's last
// choice (which every grid fill keeps equal to the document) and on OK stores the
// choice in the image and the per-user store, and gives the channel view its new band
// limits and window title.

#include <QDialog>
#include <functional>

class CProgramView;
class QComboBox;

class CProductInfoDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTypeListId = 1013;
    static constexpr int kBandListId = 1014;

    explicit CProductInfoDlg(QWidget* parent = nullptr);

    // Runs the dialog modally for the document of `view`; true on OK.
    bool run(CProgramView& view);

    // F1, with the id of the control that has the focus.
    std::function<void(int contextId)> helpRequested;

    QComboBox* typeList() const { return m_typeList; }
    QComboBox* bandList() const { return m_bandList; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showStoredChoice();
    void fillBandList(int typePosition);
    void onOk();

    QComboBox* m_typeList = nullptr;
    QComboBox* m_bandList = nullptr;
    CProgramView* m_view = nullptr;
    bool m_filling = false; // the lists are being filled, not changed by the user
};
