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
class RunSession;

// The session's port from the choice stored beside Program.ini `iniPath`: the chosen
// device when Other… was confirmed last, else the COM number ("com", default 1);
// --port fixes it for the run instead.
void TakeStoredPort(RunSession& session, const QString& iniPath);

class CComSetupDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPortCount = 4;
    static constexpr int kFirstButtonId = 1007; // COM1; COM4 is 1010
    static constexpr int kOtherButtonId = 1011; // Other…
    static constexpr int kOtherSelection = kPortCount;

    // The choice is stored beside Program.ini `iniPath`; OK sets the session's port.
    CComSetupDlg(RunSession& session, QString iniPath, QWidget* parent = nullptr);

    // The checked button: 0..3 for COM1..COM4, kOtherSelection for Other…, -1 for none.
    int selection() const;
    // The device Other… stands for: the chosen port of the list, or the typed path.
    QString otherDevice() const;

    // Opens, on OK, sets the session's port and stores the choice.
    int exec() override;

    // Whether `device` can be opened now (by default: by opening it; tests stage it).
    using PortProbe = std::function<bool(const QString& device)>;
    void setPortProbe(PortProbe canOpen) { m_canOpen = std::move(canOpen); }

protected:
    void accept() override;

private:
    void showPorts();
    void checkStoredChoice();

    RunSession& m_session;
    QString m_iniPath;
    PortProbe m_canOpen;
    QButtonGroup* m_buttons;
    QComboBox* m_otherDevice;
};
