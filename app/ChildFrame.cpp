#include "app/ChildFrame.h"

#include "editor/DocumentView.h"
#include "document/ProgramDoc.h"
#include "config/StartupConfig.h"
#include "app/ViewFactory.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QIcon>
#include <QMdiArea>
#include <QMenu>

namespace {

// The largest size a child window starts with; the view may ask for less.
constexpr QSize kMaxChildSize(1600, 1200);

} // namespace

CChildFrame::CChildFrame(CProgramDoc* doc, const ViewSurroundings& surroundings, QWidget* parent)
    : QMdiSubWindow(parent), m_doc(doc) {
    m_doc->setParent(this);
    m_view = CreateChannelView(m_doc, surroundings, this,
                               [this](const QString& title) { setMainTitle(title); });
    QWidget* view = m_view->widget();
    // A view that sized itself (the channel form) keeps that size; others get their
    // size hint.
    m_viewSize = view->testAttribute(Qt::WA_Resized) ? view->size() : view->sizeHint();
    setWidget(view);
    const QIcon icon(startupConfig().programDirectory + QStringLiteral("title.ico"));
    if (!icon.isNull())
        setWindowIcon(icon);
    // The system menu's Close would also claim Ctrl+W, which is the Write command here;
    // it keeps Ctrl+F4.
    for (QAction* action : systemMenu()->actions()) {
        if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)))
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    }
    move(0, 0);
    fitToView();
    connect(m_doc, &CProgramDoc::modifiedChanged, this, &CChildFrame::updateTitle);
    updateTitle();
}

void CChildFrame::fitToView() {
    // The title bar and borders around the view, never beyond the largest start size.
    resize(m_viewSize.grownBy(contentsMargins()).boundedTo(kMaxChildSize));
}

void CChildFrame::fitToViewWithin(const QSize& room) {
    const QSize free(room.width() - x(), room.height() - y());
    resize(m_viewSize.grownBy(contentsMargins()).boundedTo(free).expandedTo(minimumSizeHint()));
}

void CChildFrame::showAgain() {
    showNormal();
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
}

void CChildFrame::setMainTitle(const QString& title) {
    if (title == m_mainTitle)
        return;
    m_mainTitle = title;
    emit mainTitleChanged(title);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

QString CChildFrame::documentName() const {
    const QString path = m_doc->pathName();
    const QString name = path.isEmpty() ? m_doc->title(startupConfig().language()) : QFileInfo(path).fileName();
    return m_doc->isModified() ? name + u'*' : name;
}

void CChildFrame::updateTitle() {
    // "[*]" shows a '*' while the document has unsaved changes.
    setWindowTitle(m_doc->title(startupConfig().language()) + QStringLiteral("[*]"));
    setWindowModified(m_doc->isModified());
}
