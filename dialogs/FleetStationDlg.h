#pragma once
// Program > Fleet Station: programs radio after radio with one image on several cables
// at once, with the workers chprog clone runs (link/FleetRun.h). The user chooses the
// image (the active document, or a .dat file), ticks the ports, names the operator
// (kept per user) and starts; one tile per port, readable from across a bench, shows
// its state, the exchange's progress, the last radio's result and the count done, and a
// line under them the total. Stop lets the radios in hand finish; a second Stop, or
// closing the window while radios are being written, asks before it breaks them off.
// Each radio gets a line in the window program's programming log and its backups.

#include "radio/Language.h"
#include "radio/RadioImage.h"

#include <QDialog>
#include <QHash>
#include <optional>

class FleetRun;
class Prompts;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
struct RadioReport;
struct StationWarning;
enum class PortState;

// What the station window works with, handed over by the main window.
struct FleetStationContext {
    const Prompts* prompts = nullptr;
    Language language = Language::English;
    QString iniFilePath; // the backups, the log, the operator's name, the last folder
    std::optional<RadioImage> documentImage; // the active document's, when one is open
    QString documentName;
};

class FleetStationDlg : public QDialog {
    Q_OBJECT
public:
    FleetStationDlg(FleetStationContext context, QWidget* parent = nullptr);
    ~FleetStationDlg() override;

    // Ticks the port `device` (adding it to the list when the system does not list it).
    void tickPort(const QString& device);
    // Starts the station on the ticked ports; false (having told the user) when it cannot.
    bool start();
    bool isRunning() const;
    // What a port's tile shows: its state and the last radio's result.
    QString tileState(const QString& device) const;
    QString tileResult(const QString& device) const;
    QString totalText() const;

    void done(int result) override;

private:
    struct Tile;

    QWidget* buildSetup();
    void chooseFile();
    void showImageSource();
    void showPorts();
    void addPort(const QString& label, const QString& device, Qt::CheckState state);
    void stop();
    void makeTiles(const QStringList& devices);
    void connectRun();
    void showState(const QString& port, PortState state);
    void showProgress(const QString& port, int done, int total);
    void showRadio(const QString& port, const RadioReport& report);
    void showWarning(const QString& port, const StationWarning& warning);
    void runEnded();
    void showTotal();
    void enableSetup(bool enabled);
    bool radiosBeingWritten() const;
    QString tr2(const char* english, const char* chinese) const;

    FleetStationContext m_context;
    std::optional<RadioImage> m_image;
    QString m_imageName;
    QLabel* m_imageLabel;
    QPushButton* m_chooseFile;
    QListWidget* m_ports;
    QLineEdit* m_operator;
    QCheckBox* m_verify;
    QPushButton* m_start;
    QPushButton* m_stop;
    QPushButton* m_close;
    QWidget* m_setup;
    QGridLayout* m_tiles;
    QLabel* m_total;
    QHash<QString, Tile*> m_tileOf;
    FleetRun* m_run = nullptr;
    int m_stops = 0;
    bool m_closeWhenEnded = false;
    int m_programmed = 0;
    int m_failed = 0;
    int m_skipped = 0;
};
