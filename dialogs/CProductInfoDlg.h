#pragma once
// The Product Information dialog: the radio model and frequency band a document is
// programmed for, picked from the lists of Program.ini. It opens on the document's own
// model and band, and on OK stores a changed choice in the image and the per-user
// store (OK on an unchanged choice changes no byte). The caller then gives the channel view
// the chosen product (its band limits and the window title).

#include "radio/Language.h"
#include "radio/ProductInfo.h"

#include <QDialog>
#include <functional>

class CProgramDoc;
class QComboBox;

class CProductInfoDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTypeListId = 1013;
    static constexpr int kBandListId = 1014;

    // The lists come from `iniPath`, whose user store keeps the last choice; the undo
    // step is named in `language`.
    CProductInfoDlg(const QString& iniPath, Language language, QWidget* parent = nullptr);

    // Runs the dialog modally for `document`; true on OK. OK stores a changed choice in
    // the image (marking the document modified) and the user store.
    bool run(CProgramDoc& document);

    // The model and band chosen with the last OK.
    ProductSelection selection() const { return m_selection; }

    // F1, with the id of the control that has the focus.
    std::function<void(int contextId)> helpRequested;

    QComboBox* typeList() const { return m_typeList; }
    QComboBox* bandList() const { return m_bandList; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showDocumentChoice();
    void fillBandList(int typePosition);
    void onOk();

    QString m_iniPath;
    Language m_language;
    QComboBox* m_typeList = nullptr;
    QComboBox* m_bandList = nullptr;
    CProgramDoc* m_document = nullptr;
    ProductSelection m_selection;
    int m_shownType = -1; // the list positions the dialog opened on
    int m_shownBand = -1;
    bool m_shownFromImage = true; // false: the user's last choice, for an image naming none
    bool m_filling = false; // the lists are being filled, not changed by the user
};
