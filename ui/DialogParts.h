#pragma once
// Pieces the settings dialogs share: numeric control ids (help pages are found by the
// id of the control that has the focus, so every control carries its id), right-aligned
// labels and the row of OK and Cancel buttons.

class QBoxLayout;
class QEvent;
class QLabel;
class QPushButton;
class QObject;
class QWidget;

void SetControlId(QWidget* control, int id);

// The id of `widget` or of the nearest parent that has one (a list's drop-down or a
// spin's edit reports its control); 0 when there is none.
int ControlIdOf(const QWidget* widget);

// For an event filter on a dialog and its controls: when `event` is F1 pressed in the
// control that has the keyboard focus, that control's id, else 0. An unhandled key
// passes the filters of the parents too; only the first sighting counts.
int HelpKeyContext(const QObject* watched, const QEvent* event);

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

QLabel* RightAlignedLabel(const char* text, QWidget* parent);

// "OK" (the default button) and "Cancel", centred side by side, with their ids.
struct OkCancelButtons {
    QPushButton* ok;
    QPushButton* cancel;
    QBoxLayout* row;
};
OkCancelButtons MakeOkCancelButtons(QWidget* dialog);
