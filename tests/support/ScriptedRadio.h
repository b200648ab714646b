#pragma once
// A radio for FakeLink, driven by the units the exchanges write: single greeting bytes,
// 02, 06, 4-byte request frames and the data of a write request. Switches make it
// misbehave at chosen points.

#include "radio/RadioImage.h"

#include <QByteArray>
#include <functional>

class ScriptedRadio {
public:
    explicit ScriptedRadio(const RadioImage& memory) : memory(memory) {}

    RadioImage memory;

    // Misbehaviour.
    bool answerGreeting = true;
    char greetingAnswer = 0x06;
    int identificationLength = 8;
    int refuseHandshakeAcks = 0; // that many handshake acknowledges go unanswered
    int shortReplyAtBlock = 0;   // this block (counted from 1) gets a reply one byte short
    int silentFromBlock = 0;     // from this block on nothing is answered or stored
    int badAckAtBlock = 0;       // this block is answered with 15 instead of 06
    int dropWriteAtBlock = 0;    // this write block is acknowledged but not stored
    int disturbedBlock = 0; // the reply to this read block goes through disturbReply
    std::function<QByteArray(const QByteArray& reply)> disturbReply;

    // What happened.
    int greetings = 0;
    int blocks = 0;

    QByteArray answer(const QByteArray& written);

private:
    QByteArray greetingByte(char byte);
    QByteArray request(const QByteArray& frame);
    QByteArray storeWrite(const QByteArray& data);
    QByteArray blockAcknowledge() const;
    bool silent() const { return silentFromBlock > 0 && blocks >= silentFromBlock; }

    enum class State { Idle, Greeted, Session };
    State m_state = State::Idle;
    QByteArray m_greeting;
    QByteArray m_pendingWrite; // header of a write request whose data comes next
    bool m_readAwaitsAck = false;
};
