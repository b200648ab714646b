#pragma once
// What chprog clone prints of its station (link/FleetStation.h): one whole line at a time,
// prefixed with the port when there are several cables, a radio's line on standard
// output, a warning on standard error, and the terminal's bell after each radio written.

#include "link/FleetStation.h"

#include <QMutex>

class CloneStation : public StationObserver {
public:
    // `settings`: the image and the Program.ini the warnings name.
    CloneStation(const CloneSettings& settings, bool prefixed);

    void stateChanged(const QString&, PortState) override {}
    void progress(const QString&, int, int) override {}
    void radioEnded(const QString& port, const RadioReport& report) override;
    void warning(const QString& port, const StationWarning& warning) override;

private:
    void print(const QString& port, const QString& text, bool error);

    const CloneSettings& m_settings;
    const bool m_prefixed;
    QMutex m_mutex;
};
