#pragma once
// COM Setup: the user's choice of serial port, kept per user. Each of COM1 to COM4
// shows the device its number opens on this system, with the device's description
// when it is present; a port that cannot be opened right now is disabled. "Other…"
// picks any detected port, or a typed device path, for cables the four numbers do not
// reach. The list of devices is read again every time the dialog opens.

#include <QDialog>
#include <functional>

class QButtonGroup;
class QComboBox;

// portName from the stored choice: the chosen device when Other… was confirmed last,
// else the COM number ("com", default 1); --port fixes it for the run instead.
void InitPortNameFromStore();

class CComSetupDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPortCount = 4;
    static constexpr int kFirstButtonId = 1007; // COM1; COM4 is 1010
    static constexpr int kOtherButtonId = 1011; // Other…
    static constexpr int kOtherSelection = kPortCount;

    explicit CComSetupDlg(QWidget* parent = nullptr);

    // The checked button: 0..3 for COM1..COM4, kOtherSelection for Other…, -1 for none.
    int selection() const;
    // The device Other… stands for: the chosen port of the list, or the typed path.
    QString otherDevice() const;

    // Opens, on OK, sets portName and stores the choice.
    int exec() override;

    // Whether `device` can be opened now (overridable for tests).
    static std::function<bool(const QString& device)> canOpen;

protected:
    void accept() override;

private:
    void showPorts();
    void checkStoredChoice();

    QButtonGroup* m_buttons;
    QComboBox* m_otherDevice;
};
