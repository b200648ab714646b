#include "editor/ChannelGridSetup.h"

#include "ui/CMSFlexGrid.h"
#include "ui/HelpHook.h"
#include "radio/ToneCodes.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// Where the grid sits on the form, in pixels.
constexpr int kFormMarginX = 16;
constexpr int kFormMarginY = 15;
constexpr int kRows = kChannelGridRows;
constexpr int kCols = kChannelGridCols;
constexpr quint32 kFixedTextColor = 0xF03200; // blue text, as 0xBBGGRR

void SetControlId(QWidget* widget, int id) {
    widget->setProperty(kHelpIdProperty, id);
    widget->setObjectName(QStringLiteral("control%1").arg(id));
}

CMSFlexGrid* CreateGrid(QWidget* view) {
    auto* grid = new CMSFlexGrid(view);
    SetControlId(grid, ChannelControlId::kGrid);
    grid->SetRows(kRows);
    grid->SetCols(kCols);
    grid->SetForeColorFixed(kFixedTextColor);
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(kFormMarginX, kFormMarginY, kFormMarginX, kFormMarginY);
    layout->addWidget(grid);
    return grid;
}

QComboBox* CreateList(CMSFlexGrid* grid, int controlId, const QStringList& items) {
    auto* list = new QComboBox(grid);
    list->addItems(items);
    list->setMaxVisibleItems(12);
    SetControlId(list, controlId);
    return list;
}

CellEditors CreateEditors(CMSFlexGrid* grid, Language lang) {
    namespace Id = ChannelControlId;
    CellEditors editors{};
    for (const auto& [col, id] : {std::pair{kColRxFrequency, Id::kRxFrequencyEdit},
                                  std::pair{kColTxFrequency, Id::kTxFrequencyEdit}}) {
        auto* edit = new QLineEdit(grid);
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignCenter);
        SetControlId(edit, id);
        editors[col] = edit;
    }
    const QStringList tones = ToneList(lang);
    const auto words = [lang](std::initializer_list<Word> list) {
        QStringList texts;
        for (Word word : list)
            texts << WordText(word, lang);
        return texts;
    };
    editors[kColDecodeTone] = CreateList(grid, Id::kDecodeToneList, tones);
    editors[kColEncodeTone] = CreateList(grid, Id::kEncodeToneList, tones);
    editors[kColPower] = CreateList(grid, Id::kPowerList, words({Word::High, Word::Low}));
    editors[kColScanAdd] =
        CreateList(grid, Id::kScanAddList, words({Word::ScanYes, Word::ScanNo}));
    editors[kColBusyLock] = CreateList(grid, Id::kBusyLockList,
                                       words({Word::BusyOff, Word::BusyCarrier, Word::BusyTone}));
    editors[kColBandwidth] =
        CreateList(grid, Id::kBandwidthList, words({Word::Wide, Word::Narrow}));
    editors[kColCompand] =
        CreateList(grid, Id::kCompandList, words({Word::CompandYes, Word::CompandNo}));
    for (QWidget* editor : editors) {
        if (editor) {
            editor->hide();
            editor->setGeometry(QRect());
        }
    }
    return editors;
}

void WriteHeadersAndNumbers(CMSFlexGrid* grid, Language language) {
    for (int col = 0; col < kCols; ++col)
        grid->SetTextMatrix(0, col, ChannelColumnHeading(col, language));
    for (int row = 1; row < kRows; ++row)
        grid->SetTextMatrix(row, kColNumber, ChannelNumberText(row));
    for (int col = 0; col < kCols; ++col)
        grid->SetColAlignment(col, CMSFlexGrid::kAlignCenterCenter);
}

// Every column is a multiple of the fixed column's own default width.
void SetColumnWidths(CMSFlexGrid* grid, QWidget* view) {
    const int unit = grid->ColWidth(0);
    for (int col = 0; col < kCols; ++col)
        grid->SetColWidth(col, static_cast<int>(unit * ColumnWidthFactor(col)));

    // The form is as large as the whole table, so nothing scrolls at its own size.
    int width = 2 * grid->frameWidth() + grid->verticalHeader()->width();
    for (int col = 0; col < grid->columnCount(); ++col)
        width += grid->columnWidth(col);
    int height = 2 * grid->frameWidth() + grid->horizontalHeader()->height();
    for (int row = 0; row < grid->rowCount(); ++row)
        height += grid->rowHeight(row);
    grid->setMinimumSize(width / 2, height / 3);
    view->setMinimumSize(0, 0);
    grid->resize(width, height);
    view->resize(width + 2 * kFormMarginX, height + 2 * kFormMarginY);
}

} // namespace

ChannelGridParts BuildChannelGrid(QWidget* view, Language language) {
    ChannelGridParts parts;
    parts.grid = CreateGrid(view);
    parts.editors = CreateEditors(parts.grid, language);
    WriteHeadersAndNumbers(parts.grid, language);
    SetColumnWidths(parts.grid, view);
    return parts;
}

double ColumnWidthFactor(int col) {
    static constexpr double kFactors[kChannelColumns] = {0.5, 1.2, 1.2, 1.1, 1.1,
                                                         0.9, 0.9, 0.9, 0.9, 0.9};
    return col >= 0 && col < kChannelColumns ? kFactors[col] : 1.0;
}
