#include "app/HelpViewer.h"

#include "ui/HelpHook.h"
#include "ui/HelpTopics.h"
#include "config/StartupConfig.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

CHelpViewer::CHelpViewer(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this)) {
    setWindowTitle(startupConfig().chineseLanguage ? QStringLiteral("幫助")
                                                   : QStringLiteral("Help"));
    m_browser->setOpenExternalLinks(true);
    auto* contents = new QPushButton(startupConfig().chineseLanguage ? QStringLiteral("目錄")
                                                                     : QStringLiteral("Contents"),
                                     this);
    auto* back = new QPushButton(
        startupConfig().chineseLanguage ? QStringLiteral("返回") : QStringLiteral("Back"), this);
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
    return startupConfig().programDirectory + QStringLiteral("help/") +
           startupConfig().helpFileName + u'/';
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

namespace {

// The one help window of the run. While a modal dialog runs only that dialog and its
// own children take input, so the viewer moves under the dialog for as long as it
// runs and back under the main window when it closes, staying open and in place.
class HelpWindowKeeper : public QObject {
public:
    explicit HelpWindowKeeper(QWidget* owner) : QObject(owner), m_owner(owner) {}

    void showTopic(int contextId) {
        if (!m_viewer)
            m_viewer = new CHelpViewer(m_owner);
        QWidget* modal = QApplication::activeModalWidget();
        moveUnder(modal && modal != m_viewer ? modal : m_owner.data());
        m_viewer->showTopic(contextId);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && m_viewer && watched == m_viewer->parentWidget() &&
            watched != m_owner)
            moveUnder(m_owner);
        return false;
    }

private:
    void moveUnder(QWidget* parent) {
        if (m_viewer->parentWidget() == parent)
            return;
        if (QWidget* before = m_viewer->parentWidget(); before && before != m_owner)
            before->removeEventFilter(this);
        const bool wasVisible = m_viewer->isVisible();
        const QRect geometry = m_viewer->geometry();
        m_viewer->setParent(parent, m_viewer->windowFlags());
        if (parent != m_owner)
            parent->installEventFilter(this);
        if (wasVisible) {
            m_viewer->setGeometry(geometry);
            m_viewer->show();
        }
    }

    QPointer<QWidget> m_owner;
    QPointer<CHelpViewer> m_viewer;
};

} // namespace

HelpHandler HelpViewerFor(QWidget* owner) {
    QPointer<HelpWindowKeeper> keeper(new HelpWindowKeeper(owner));
    return [keeper](int contextId) {
        if (keeper)
            keeper->showTopic(contextId);
    };
}
