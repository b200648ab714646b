#include "dialogs/WritePreviewDlg.h"

#include "radio/ChannelCodec.h"
#include "radio/OwnTexts.h"
#include "ui/CommandIds.h"
#include "ui/HelpHook.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString Hex(int value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString CalibrationValueText(CalibrationDifference::Value value, Language language) {
    switch (value) {
    case CalibrationDifference::Value::Low:
        return Tr(language, "Low", "低功率");
    case CalibrationDifference::Value::High:
        return Tr(language, "High", "高功率");
    case CalibrationDifference::Value::Squelch:
        break;
    }
    return Tr(language, "Squelch", "靜噪");
}

} // namespace

std::vector<QStringList> WritePreviewLines(const ImageComparison& changes, Language language) {
    std::vector<QStringList> lines;
    for (const ChannelDifference& d : changes.channels) {
        const int column = static_cast<int>(FieldIndex(d.field)) + kColRxFrequency;
        lines.push_back({QStringLiteral("CH %1").arg(d.channel), ChannelColumnHeading(column, language),
                         ChannelCellTexts(d.before, d.channel, language)[column],
                         ChannelCellTexts(d.after, d.channel, language)[column]});
    }
    for (const SettingDifference& d : changes.settings)
        lines.push_back({Tr(language, "Setting", "設置"), d.name, d.before, d.after});
    for (const ProductDifference& d : changes.product)
        lines.push_back({Tr(language, "Product", "產品"),
                         d.part == ProductDifference::Part::Type ? Tr(language, "Type", "型號")
                                                                 : Tr(language, "Frequency", "頻段"),
                         d.before, d.after});
    for (const CalibrationDifference& d : changes.calibration)
        lines.push_back({Tr(language, "Calibration %1 MHz", "校準 %1 MHz").arg(d.megahertz),
                         CalibrationValueText(d.value, language), QString::number(d.before),
                         QString::number(d.after)});
    for (const ByteDifference& d : changes.bytes)
        lines.push_back({Tr(language, "Byte", "字節"), QStringLiteral("0x") + Hex(d.address, 3),
                         Hex(d.before, 2), Hex(d.after, 2)});
    return lines;
}

WritePreviewDlg::WritePreviewDlg(const ImageComparison& changes, Language language,
                                 bool showsChanges, QWidget* parent)
    : QDialog(parent), m_list(new QTreeWidget(this)),
      m_showChanges(new QCheckBox(Tr(language, "Show changes before writing", "寫入前顯示更改"), this)),
      m_write(nullptr) {
    setWindowTitle(Tr(language, "Changes to Write", "將寫入的更改"));
    setProperty(kHelpIdProperty, CommandId::kShowChangesBeforeWriting);
    auto* intro = new QLabel(
        Tr(language, "Writing changes the radio as listed:", "寫入會按下列各項更改電台："), this);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({Tr(language, "Item", "項目"), Tr(language, "Field", "欄位"),
                             Tr(language, "Radio", "電台"), Tr(language, "Written", "寫入")});
    for (int column = 0; column < 3; ++column)
        m_list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    for (const QStringList& line : WritePreviewLines(changes, language))
        new QTreeWidgetItem(m_list, line);
    m_showChanges->setChecked(showsChanges);

    auto* buttons = new QDialogButtonBox(this);
    m_write = buttons->addButton(Tr(language, "Write", "寫入"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel)->setText(Tr(language, "Cancel", "取消"));
    m_write->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_list);
    layout->addWidget(m_showChanges);
    layout->addWidget(buttons);
    resize(640, 400);
}

bool WritePreviewDlg::showsChanges() const {
    return m_showChanges->isChecked();
}
