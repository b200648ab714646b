#include "ui/CProcessDlg.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kInitialRange = 64;
}

CProcessDlg::CProcessDlg(QWidget* parent)
    : QDialog(parent), m_progress(new QProgressBar(this)),
      m_percent(new QLabel(QStringLiteral("0"), this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setWindowTitle(QStringLiteral("Process"));
    setModal(false);
    m_progress->setRange(0, kInitialRange);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_percent->setAlignment(Qt::AlignCenter);
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    layout->addWidget(m_percent);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(m_ok, &QPushButton::clicked, this, [this] {
        m_ok->setEnabled(false);
        emit startRequested();
    });
    connect(cancel, &QPushButton::clicked, this, &CProcessDlg::reject);
}

bool CProcessDlg::hasStarted() const {
    return !m_ok->isEnabled();
}

void CProcessDlg::showProgress(int done, int total) {
    m_progress->setRange(0, total);
    m_progress->setValue(done);
    m_percent->setText(QStringLiteral("%1%").arg(total > 0 ? done * 100 / total : 0));
}

void CProcessDlg::reject() {
    // The window stays while an exchange runs: it ends at its next check and the
    // owner closes the window then.
    emit cancelRequested();
}

void CProcessDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit cancelRequested();
}
