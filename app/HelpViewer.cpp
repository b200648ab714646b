#include "app/HelpViewer.h"
#include "radio/OwnTexts.h"

#include "ui/HelpHook.h"
#include "ui/HelpTopics.h"
#include "config/StartupConfig.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The size the window opens at; beside a dialog it may get narrower for want of room.
constexpr QSize kPreferredHelpSize(720, 560);

} // namespace

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
    resize(kPreferredHelpSize);
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
            OwnText("The help pages are missing: %1").arg(QDir::toNativeSeparators(path)));
    }
    show();
    raise();
    activateWindow();
}

QUrl CHelpViewer::currentSource() const {
    return m_browser->source();
}

QRect HelpFrameBeside(const QRect& dialogFrame, const QRect& available, const QSize& preferred,
                      int minimumWidth) {
    constexpr int kGap = 8; // between the two frames
    const int roomRight = available.right() - dialogFrame.right() - kGap;
    const int roomLeft = dialogFrame.left() - available.left() - kGap;
    const bool fitsRight = roomRight >= minimumWidth;
    const bool fitsLeft = roomLeft >= minimumWidth;
    const bool right = fitsRight || (!fitsLeft && roomRight >= roomLeft);
    const int room = right ? roomRight : roomLeft;
    const int width = std::min({preferred.width(), std::max(room, minimumWidth), available.width()});
    int left = 0;
    if (right)
        left = fitsRight ? dialogFrame.right() + 1 + kGap : available.right() + 1 - width;
    else
        left = fitsLeft ? dialogFrame.left() - kGap - width : available.left();
    const int height = std::min(preferred.height(), available.height());
    const int top = std::clamp(dialogFrame.top(), available.top(), available.bottom() + 1 - height);
    return QRect(left, top, width, height);
}

namespace {

// Where a window's frame lies around its client area.
QMargins FrameMargins(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
}

// The dialog F1 was pressed in: the modal one, else an active modeless dialog (the
// progress window); none when help is asked for from the main window.
QWidget* DialogAskingForHelp(const QWidget* viewer) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != viewer)
        return modal;
    QWidget* active = QApplication::activeWindow();
    return active != viewer && qobject_cast<QDialog*>(active) ? active : nullptr;
}

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
        if (QWidget* dialog = DialogAskingForHelp(m_viewer))
            placeBeside(dialog);
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
    // So that the dialog and the page about it can be read side by side. A help window
    // already clear of the dialog stays where the user put it.
    void placeBeside(const QWidget* dialog) {
        const QRect dialogFrame = dialog->frameGeometry();
        if (m_viewer->isVisible() && !m_viewer->frameGeometry().intersects(dialogFrame))
            return;
        // Before it is first shown the viewer has no frame yet; the dialog's is the guess.
        const QMargins margins = FrameMargins(m_viewer->isVisible() ? m_viewer.data() : dialog);
        const QScreen* screen = dialog->screen() ? dialog->screen() : QApplication::primaryScreen();
        const QRect frame =
            HelpFrameBeside(dialogFrame, screen->availableGeometry(),
                            m_viewer->size().expandedTo(kPreferredHelpSize).grownBy(margins),
                            kMinimumHelpWidth);
        m_viewer->setGeometry(frame.marginsRemoved(margins));
    }

    static constexpr int kMinimumHelpWidth = 320; // a page still reads at this width

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
