#include "app/FrameKeyFilter.h"

#include "ui/HelpTopics.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>

CFrameKeyFilter::CFrameKeyFilter(FrameKeyFilterContext context)
    : QObject(context.window), m_context(std::move(context)) {}

bool CFrameKeyFilter::isFirstSighting(QObject* receiver) {
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget)
        return false;
    QWidget* focus = widget->window()->focusWidget();
    return widget == (focus ? focus : widget->window());
}

bool CFrameKeyFilter::belongsToFrame(QObject* receiver) const {
    auto* widget = qobject_cast<QWidget*>(receiver);
    return widget && widget->window() == m_context.window;
}

int CFrameKeyFilter::helpContextFor(QObject* receiver) {
    if (auto* menu = qobject_cast<QMenu*>(receiver)) {
        if (QAction* action = menu->activeAction(); action && action->data().toInt() > 0)
            return action->data().toInt();
    }
    // A key goes to the focused widget, so the receiver is where the search starts.
    QWidget* start = qobject_cast<QWidget*>(receiver);
    if (!start)
        start = QApplication::focusWidget();
    for (QWidget* widget = start; widget; widget = widget->parentWidget()) {
        const QVariant id = widget->property(kHelpIdProperty);
        if (id.isValid())
            return id.toInt();
    }
    return kHelpContents;
}

int CFrameKeyFilter::dialogHelpContextFor(QObject* receiver) {
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || !qobject_cast<QDialog*>(widget->window()))
        return 0;
    const QVariant dialogId = widget->window()->property(kHelpIdProperty);
    if (!dialogId.isValid())
        return 0;
    for (QWidget* control = widget; control != widget->window(); control = control->parentWidget()) {
        const QVariant id = control->property(kHelpIdProperty);
        if (id.isValid())
            return DialogHelpContext(id.toInt(), dialogId.toInt());
    }
    return dialogId.toInt();
}

bool CFrameKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F11 && (key->modifiers() & Qt::ControlModifier)) {
        // Only in the main window itself, never while a modal dialog runs.
        if (!belongsToFrame(watched) || QApplication::activeModalWidget())
            return false;
        m_context.unlockRequested();
        return true;
    }
    // F1 on a highlighted menu item asks for that command's topic. F1 elsewhere goes to
    // the focused widget first; a main-window widget that leaves it unhandled passes it
    // up to CMainFrame::keyPressEvent.
    if (key->key() == Qt::Key_F1 && qobject_cast<QMenu*>(watched)) {
        m_context.showHelp(helpContextFor(watched));
        return true;
    }
    // F1 in a dialog: its topic, whichever control has the focus; the key then goes
    // on as usual. An unhandled key passes the filter again for each parent: only the
    // sighting at the window's focused widget (or the window without one) counts.
    if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier &&
        isFirstSighting(watched)) {
        if (const int context = dialogHelpContextFor(watched))
            m_context.showHelp(context);
    }
    return false;
}
