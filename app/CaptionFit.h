#pragma once
// Dialogs and message boxes as wide as their caption: a window narrower than its title
// shows the title cut ("Product ... rmation") or not at all. Installed on the
// application, it widens every dialog of the program when it is first shown, whatever
// built it, by a width reckoned from the caption's text and the frame buttons beside it.

#include <QObject>

class QDialog;

class CCaptionFit : public QObject {
    Q_OBJECT
public:
    explicit CCaptionFit(QObject* parent = nullptr);

    // The least width of a window with `caption`: the text, the window icon and the
    // three frame buttons, measured in the application font.
    static int widthForCaption(const QString& caption);
    // Widens `dialog` (laid out, fixed or message box) to widthForCaption at least.
    static void fit(QDialog* dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
