#include "app/LockKeyPanes.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
#endif
#ifdef PROGRAM_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

namespace {

const char* const kPaneTexts[] = {"CAP", "NUM", "SCRL"};

#ifdef PROGRAM_HAVE_XCB
// The keyboard lights of the X server: Caps Lock, Num Lock and Scroll Lock are the
// first three in every standard keymap.
LockKeyStates ReadX11Lights() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return {};
    xcb_get_keyboard_control_reply_t* reply =
        xcb_get_keyboard_control_reply(connection, xcb_get_keyboard_control(connection), nullptr);
    if (!reply)
        return {};
    const uint32_t lights = reply->led_mask;
    free(reply);
    return {(lights & 1u) != 0, (lights & 2u) != 0, (lights & 4u) != 0};
}
#endif

} // namespace

LockKeyStates ReadPlatformLockKeys() {
#if defined(Q_OS_WIN)
    const auto toggled = [](int key) { return (GetKeyState(key) & 1) != 0; };
    return {toggled(VK_CAPITAL), toggled(VK_NUMLOCK), toggled(VK_SCROLL)};
#elif defined(PROGRAM_HAVE_XCB)
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return ReadX11Lights();
    return {};
#else
    return {};
#endif
}

CLockKeyPanes::CLockKeyPanes(QStatusBar* bar, LockKeyReader reader)
    : QObject(bar), m_reader(std::move(reader)) {
    for (size_t i = 0; i < m_panes.size(); ++i) {
        auto* label = new QLabel(bar);
        label->setFrameShape(QFrame::StyledPanel);
        label->setAlignment(Qt::AlignCenter);
        // As wide as its text, whether the text shows or not.
        const QString text = QString::fromLatin1(kPaneTexts[i]);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) +
                               2 * label->fontMetrics().averageCharWidth());
        bar->addPermanentWidget(label);
        m_panes[i] = label;
    }
    refresh();
    qApp->installEventFilter(this);
}

void CLockKeyPanes::refresh() {
    m_refreshPending = false;
    const LockKeyStates states = m_reader ? m_reader() : LockKeyStates{};
    const std::optional<bool> byPane[] = {states.capsLock, states.numLock, states.scrollLock};
    for (size_t i = 0; i < m_panes.size(); ++i) {
        QLabel* label = m_panes[i];
        label->setText(byPane[i] ? QString::fromLatin1(kPaneTexts[i]) : QString());
        label->setEnabled(byPane[i].value_or(false));
    }
}

bool CLockKeyPanes::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool keyOrActivation = type == QEvent::KeyPress || type == QEvent::KeyRelease ||
                                 type == QEvent::ApplicationActivate;
    // A key passes the filter once per receiver; one reading after it is handled is enough.
    if (keyOrActivation && !m_refreshPending) {
        m_refreshPending = true;
        QTimer::singleShot(0, this, &CLockKeyPanes::refresh);
    }
    return QObject::eventFilter(watched, event);
}
