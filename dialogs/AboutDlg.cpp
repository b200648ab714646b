#include "dialogs/AboutDlg.h"

#include "ui/CommandIds.h"
#include "ui/HelpHook.h"
#include "ui/Pictures.h"
#include "config/RunConfig.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kIconSize = 32;

QLabel* TextLine(const QString& key, QWidget* parent) {
    auto* label = new QLabel(LanguageText(key), parent);
    label->setTextFormat(Qt::PlainText); // "&" and "<" show as typed
    return label;
}

} // namespace

CAboutDlg::CAboutDlg(const QString& programDirectory, QWidget* parent)
    : QDialog(parent), m_icon(new QLabel(this)),
      m_version(TextLine(QStringLiteral("Version"), this)),
      m_copyrights(TextLine(QStringLiteral("Copyrights"), this)),
      m_owner(TextLine(QStringLiteral("Copyrights Owner"), this)) {
    setWindowTitle(LanguageText(QStringLiteral("About Title")));
    setProperty(kHelpIdProperty, CommandId::kAppAbout);
    const QIcon fileIcon(programDirectory + QStringLiteral("title.ico"));
    // A QIcon of a missing or unreadable file is not null, but it has no sizes.
    const bool fileLoads = !fileIcon.isNull() && !fileIcon.availableSizes().isEmpty();
    const QPixmap icon = fileLoads ? fileIcon.pixmap(kIconSize, kIconSize)
                                   : QPixmap::fromImage(DrawProgramIcon(kIconSize));
    m_icon->setPixmap(icon);
    m_icon->setAlignment(Qt::AlignTop);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->addWidget(m_icon, 0, 0, 3, 1);
    layout->addWidget(m_version, 0, 1);
    layout->addWidget(m_copyrights, 1, 1);
    layout->addWidget(m_owner, 2, 1);
    layout->addWidget(ok, 1, 2, Qt::AlignVCenter);
    layout->setColumnStretch(1, 1);
    layout->setColumnMinimumWidth(1, 240);
    layout->setSizeConstraint(QLayout::SetFixedSize); // as big as its texts, not resizable
}
