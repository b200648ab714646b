#pragma once
// COM Setup: the user's choice of serial port, COM1 to COM4, kept per user. Each
// button shows the device its number opens on this system, and a port that cannot
// be opened right now is disabled.

#include <QDialog>
#include <functional>

class QButtonGroup;

// portName from the stored choice ("com", default 1), unless --port fixed it for the run.
void InitPortNameFromStore();

class CComSetupDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPortCount = 4;
    static constexpr int kFirstButtonId = 1007; // COM1; COM4 is 1010

    explicit CComSetupDlg(QWidget* parent = nullptr);

    // The checked button, 0..3 for COM1..COM4, or -1 for none.
    int selection() const;

    // Opens, on OK, sets portName and stores the choice.
    int exec() override;

    // Whether `device` can be opened now (overridable for tests).
    static std::function<bool(const QString& device)> canOpen;

protected:
    void accept() override;

private:
    void prepare();
    QButtonGroup* m_buttons;
};
