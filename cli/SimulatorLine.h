#pragma once
// The simulated radio's end of a serial line: a pseudo-terminal whose other end is
// reachable through a symbolic link, so the program (or chprog) opens the link path as
// it would open /dev/ttyUSB0. One simulator serves any number of exchanges; the PC may
// open and close its end as often as it likes.

#include "link/sim/SimulatedRadio.h"

#include <QString>
#include <vector>

struct SimulatorOptions {
    QString linkPath;   // made a symbolic link to the pseudo-terminal's device
    QString savePath;   // where the memory goes on exit and on SIGUSR1; empty: nowhere
    int baud = 0;       // 0: bytes move at once; else paced as on a line of this speed
    bool trace = false; // print every byte received and sent on standard error
};

// Runs until SIGINT or SIGTERM, then saves the memory (when asked to) and removes the
// link. Prints "ready: LINK -> DEVICE" on standard error once the link exists. Returns
// the exit status.
int RunSimulatorLine(SimulatedRadio& radio, const SimulatorOptions& options);

// One radio of a simulated fleet: its memory, faults and line.
struct SimulatedRadioSetup {
    RadioImage memory{};
    RadioFaults faults;
    SimulatorOptions options;
};

// Plays every radio at once, each on a pseudo-terminal of its own in a process of its
// own (forked, so that a paced line never waits for another), until SIGINT or SIGTERM,
// which it hands on to every radio, as it does SIGUSR1. With `swapAfterWrite` each radio
// is replaced by a new one after every completed write (SimulatedRadio::swapAfterWrite).
// Returns 0 when every radio ended cleanly.
int RunSimulatorFleet(const std::vector<SimulatedRadioSetup>& radios, bool swapAfterWrite);
