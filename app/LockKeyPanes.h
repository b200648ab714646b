#pragma once
// The Caps Lock, Num Lock and Scroll Lock panes of the status bar. A pane shows its
// text when the lock is on and greyed text when it is off; when the platform cannot
// tell a lock's state, the pane stays empty rather than guess. The state is read from
// the platform at start, whenever the program becomes active and after every key the
// program sees (a lock key itself changes it).

#include <QObject>
#include <array>
#include <functional>
#include <optional>

class QLabel;
class QStatusBar;

struct LockKeyStates {
    std::optional<bool> capsLock;
    std::optional<bool> numLock;
    std::optional<bool> scrollLock;
};

using LockKeyReader = std::function<LockKeyStates()>;

// What this platform tells: the key states on Windows, the keyboard lights on X11,
// nothing elsewhere.
LockKeyStates ReadPlatformLockKeys();

class CLockKeyPanes : public QObject {
    Q_OBJECT
public:
    // Adds the three panes to the right end of `bar`.
    explicit CLockKeyPanes(QStatusBar* bar, LockKeyReader reader = ReadPlatformLockKeys);

    // 0 Caps Lock ("CAP"), 1 Num Lock ("NUM"), 2 Scroll Lock ("SCRL").
    QLabel* pane(int index) const { return m_panes[static_cast<size_t>(index)]; }

    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LockKeyReader m_reader;
    std::array<QLabel*, 3> m_panes{};
    bool m_refreshPending = false;
};
