#include "HelpViewer.h"

#include "AppConfig.h"
#include "HelpHook.h"
#include "HelpTopics.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <memory>

CHelpViewer::CHelpViewer(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this)) {
    setWindowTitle(appConfig().chineseLanguage ? QStringLiteral("幫助") : QStringLiteral("Help"));
    m_browser->setOpenExternalLinks(true);
    auto* contents = new QPushButton(
        appConfig().chineseLanguage ? QStringLiteral("目錄") : QStringLiteral("Contents"), this);
    auto* back = new QPushButton(
        appConfig().chineseLanguage ? QStringLiteral("返回") : QStringLiteral("Back"), this);
    connect(contents, &QPushButton::clicked, this, [this] { showTopic(kHelpContents); });
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(720, 560);
}

QString CHelpViewer::helpFolder() {
    return appConfig().programDirectory + QStringLiteral("help/") + appConfig().helpFileName + u'/';
}

void CHelpViewer::showTopic(int contextId) {
    const QString topic = HelpTopicFor(contextId);
    const QString page = topic.section(u'#', 0, 0);
    const QString anchor = topic.section(u'#', 1);
    const QString path = helpFolder() + page;
    if (QFileInfo::exists(path)) {
        QUrl url = QUrl::fromLocalFile(path);
        if (!anchor.isEmpty())
            url.setFragment(anchor);
        m_browser->setSource(url);
    } else {
        m_browser->setPlainText(
            QStringLiteral("The help pages are missing: %1").arg(QDir::toNativeSeparators(path)));
    }
    show();
    raise();
    activateWindow();
}

QUrl CHelpViewer::currentSource() const {
    return m_browser->source();
}

void InstallHelpViewer(QWidget* owner) {
    QPointer<QWidget> guardedOwner(owner);
    auto viewer = std::make_shared<QPointer<CHelpViewer>>();
    SetHelpHandler([guardedOwner, viewer](int contextId) {
        if (!guardedOwner)
            return;
        // While a modal dialog runs, only its own children take input: give it a
        // viewer of its own, gone when closed.
        if (QWidget* modal = QApplication::activeModalWidget()) {
            auto* modalViewer = new CHelpViewer(modal);
            modalViewer->setAttribute(Qt::WA_DeleteOnClose);
            modalViewer->showTopic(contextId);
            return;
        }
        if (!*viewer)
            *viewer = new CHelpViewer(guardedOwner);
        (*viewer)->showTopic(contextId);
    });
}
