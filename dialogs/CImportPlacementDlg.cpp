#include "dialogs/CImportPlacementDlg.h"

#include "radio/ImageMap.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

CImportPlacementDlg::CImportPlacementDlg(const LocationSpan& span, Language language,
                                         QWidget* parent)
    : QDialog(parent), m_from(new QSpinBox(this)), m_to(new QSpinBox(this)),
      m_channel(new QSpinBox(this)) {
    setWindowTitle(Tr(language, "Import Channels", "導入信道"));
    auto* intro = new QLabel(
        Tr(language, "The file holds %1 rows with Locations %2 to %3; the radio has 16 channels.",
           "文件有 %1 行，位置 %2 至 %3；對講機只有 16 個信道。")
            .arg(span.rows)
            .arg(span.lowest)
            .arg(span.highest),
        this);
    intro->setWordWrap(true);
    for (QSpinBox* box : {m_from, m_to}) {
        box->setRange(span.lowest, span.highest);
    }
    m_from->setValue(span.lowest);
    // Sixteen rows from the first, as long as the Locations run without gaps.
    m_to->setValue(std::min(span.highest, span.lowest + ImageMap::kChannelCount - 1));
    m_channel->setRange(1, ImageMap::kChannelCount);
    m_channel->setValue(1);

    auto* fields = new QFormLayout;
    fields->addRow(Tr(language, "Rows from Location", "從位置"), m_from);
    fields->addRow(Tr(language, "to Location", "至位置"), m_to);
    fields->addRow(Tr(language, "into channels from", "導入信道起始"), m_channel);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Tr(language, "Cancel", "取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(fields);
    layout->addWidget(buttons);
}

LocationRange CImportPlacementDlg::rows() const {
    return {std::min(m_from->value(), m_to->value()), std::max(m_from->value(), m_to->value())};
}

int CImportPlacementDlg::firstChannel() const {
    return m_channel->value();
}
