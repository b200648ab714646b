#include "dialogs/CProductInfoDlg.h"
#include "config/ProductCatalog.h"

#include "document/EditLabels.h"
#include "document/ProgramDoc.h"
#include "config/UserStore.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kHelpIdProperty = "helpId";
constexpr int kOkId = 1;
constexpr int kCancelId = 2;

void SetHelpId(QWidget* widget, int id) {
    widget->setProperty(kHelpIdProperty, id);
}

// The id of the focused control, or of the nearest parent that has one.
int FocusedControlId(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        const QVariant id = widget->property(kHelpIdProperty);
        if (id.isValid())
            return id.toInt();
    }
    return 0;
}

} // namespace

CProductInfoDlg::CProductInfoDlg(const QString& iniPath, Language language, QWidget* parent)
    : QDialog(parent), m_iniPath(iniPath), m_language(language) {
    setWindowTitle(QStringLiteral("Product Information"));
    m_typeList = new QComboBox;
    m_bandList = new QComboBox;
    SetHelpId(m_typeList, kTypeListId);
    SetHelpId(m_bandList, kBandListId);

    auto* group = new QGroupBox(QStringLiteral("Setting"));
    auto* fields = new QFormLayout(group);
    fields->addRow(QStringLiteral("Type"), m_typeList);
    fields->addRow(QStringLiteral("Frequency"), m_bandList);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    // The dialog's labels stay English in both languages, its buttons too.
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    SetHelpId(buttons->button(QDialogButtonBox::Ok), kOkId);
    SetHelpId(buttons->button(QDialogButtonBox::Cancel), kCancelId);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);

    connect(m_typeList, &QComboBox::currentIndexChanged, this, [this](int position) {
        if (!m_filling)
            fillBandList(position);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &CProductInfoDlg::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool CProductInfoDlg::run(CProgramDoc& document) {
    m_document = &document;
    showDocumentChoice();
    const bool accepted = exec() == QDialog::Accepted;
    m_document = nullptr;
    return accepted;
}

// The document's own model and band decide what the dialog shows (the user's last ones
// when its image names none); a position the lists do not have shows no selection.
void CProductInfoDlg::showDocumentChoice() {
    const QString& iniPath = m_iniPath;
    const ProductPositions shown = ShownProduct(m_document->image(), UserStore(iniPath));
    m_shownType = shown.type;
    m_shownBand = shown.band;
    m_shownFromImage = shown.namedByImage;

    m_filling = true;
    m_typeList->clear();
    m_typeList->addItems(ProductTypeNames(iniPath));
    m_typeList->setCurrentIndex(m_shownType);
    m_filling = false;
    fillBandList(m_shownType);
    m_bandList->setCurrentIndex(m_shownBand);
    // What the lists really show: a byte beyond a list shows no selection.
    m_shownType = m_typeList->currentIndex();
    m_shownBand = m_bandList->currentIndex();
}

void CProductInfoDlg::fillBandList(int typePosition) {
    m_bandList->clear();
    m_bandList->addItems(BandPieces(m_iniPath, typePosition));
    m_bandList->setCurrentIndex(0);
}

void CProductInfoDlg::onOk() {
    const QString& iniPath = m_iniPath;
    const int type = m_typeList->currentIndex();
    const int band = m_bandList->currentIndex();
    if (m_shownFromImage && type == m_shownType && band == m_shownBand) {
        // OK on what the image names changes nothing, not even a byte the lists could
        // not show: the document keeps the product its grid was filled with. OK on the
        // user's last choice, shown for an image that names none, stores it.
        const RadioImage& image = m_document->image();
        m_selection = ProductFromIndexes(iniPath, image[ImageMap::kProductType],
                                         image[ImageMap::kProductBand]);
        accept();
        return;
    }
    m_selection.typeName = m_typeList->currentText();
    m_selection.bandText = m_bandList->currentText();
    m_selection.limits = BandLimitsFromText(m_selection.bandText);
    m_selection.typingLimits = TypingLimits(iniPath, m_selection.bandText);
    UserStore store(iniPath);
    m_document->edit(EditLabel(EditKind::ProductInformation, m_language),
                     [&](RadioImage& image) { StoreProductChoice(image, store, type, band); });
    accept();
}

void CProductInfoDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (helpRequested)
            helpRequested(FocusedControlId(focusWidget()));
        return;
    }
    QDialog::keyPressEvent(event);
}
