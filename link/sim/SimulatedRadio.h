#pragma once
// The radio end of the link protocol, for `chprog simulate`: a 1024-byte memory that
// answers the greeting, the identification request, the acknowledges and the read and
// write requests, byte by byte as they arrive. Faults make it misbehave on purpose.
//
// Every greeting starts a new exchange; block numbers count the read and write
// requests of one exchange from 1.

#include "radio/RadioImage.h"

#include <QByteArray>
#include <QString>
#include <functional>

struct RadioFaults {
    bool noGreeting = false; // never answers the greeting (a radio that is off)
    bool noAck = false;      // leaves the 06 that ends the handshake unanswered
    int shortReadAt = 0;     // the reply to read block N carries one data byte too few
    int badAckAt = 0;        // block N is refused with 15 instead of 06 (a write is not stored)
    int silentFrom = 0;      // from block N on nothing is answered or stored
    bool garbage = false;    // answers the greeting and all that follows with noise bytes
    int lateReplyAt = 0;     // the reply to request N comes lateReplyMs late
    int lateReplyMs = 0;
    int headerPauseAt = 0;   // the reply to request N pauses headerPauseMs after its first byte
    int headerPauseMs = 0;
    int noiseAt = 0;         // a burst of noise replaces part of the reply to request N
    bool echo = false;       // every byte received goes back before the answer
    bool ackAll = false;     // every frame is answered with 06; nothing is stored
    int loseWriteAt = 0;     // write request N is acknowledged but not stored (a bad memory cell)
};

// A pause inside an answer: the bytes before `beforeByte` go at once, the rest `ms` later.
struct ReplyPause {
    int beforeByte = 0;
    int ms = 0;
};

// Adds one --fault value ("no-ack", "short-read:41", ...) to `faults`; false, with
// `error` set, for an unknown kind or a bad block number.
bool ParseRadioFault(const QString& text, RadioFaults* faults, QString* error);

// The help text of the fault kinds, one per line.
QString RadioFaultHelp();

class SimulatedRadio {
public:
    SimulatedRadio(const RadioImage& memory, const RadioFaults& faults);

    // One byte from the PC; returns what the radio sends back (often nothing).
    QByteArray receive(std::uint8_t byte);
    // Where the last answer pauses, if anywhere.
    ReplyPause pause() const { return m_pause; }
    // The line has been quiet for a while: a half-received request and an unfinished
    // exchange are forgotten, as when the PC gave up on them.
    void lineIdle();

    // "Unplug the radio and plug in a new one" after each completed write (its last block
    // stored): the exchange after it (the read back) still meets the radio just written,
    // the one after that the memory `nextRadio` gives (its argument counts the radios
    // from 2).
    void swapAfterWrite(std::function<RadioImage(int)> nextRadio);

    const RadioImage& memory() const { return m_memory; }
    int exchanges() const { return m_exchanges; }

private:
    enum class State { Idle, Greeted, Session };

    bool continuesGreeting(std::uint8_t byte);
    QByteArray answerTo(std::uint8_t byte);
    QByteArray greeted();
    QByteArray command(std::uint8_t byte);
    QByteArray frameComplete();
    QByteArray readReply(int address, int length);
    QByteArray storeWrite(int address, const QByteArray& data);
    QByteArray blockAnswer() const;
    QByteArray disturbed(QByteArray reply);
    QByteArray noise(int count);
    bool silent() const { return m_faults.silentFrom > 0 && m_blocks >= m_faults.silentFrom; }

    RadioImage m_memory;
    RadioFaults m_faults;
    State m_state = State::Idle;
    int m_greetingMatched = 0;
    QByteArray m_frame; // a read or write request still arriving
    bool m_readAwaitsAck = false;
    int m_blocks = 0;
    int m_exchanges = 0;
    quint32 m_noiseSeed = 0x2545F491u;
    ReplyPause m_pause;
    std::function<RadioImage(int)> m_nextRadio; // empty: the radio stays
    int m_exchangesUntilSwap = 0;
    int m_radios = 1;
};

// `memory` as the radio `radio` of a simulated fleet holds it in its `generation`-th
// incarnation: its own bytes beyond 0x3F1 tell it apart from every other, as a real
// radio's do.
RadioImage FleetRadioMemory(const RadioImage& memory, int radio, int generation);
