#pragma once
// A scripted radio on a fake link that takes `answerDelayMs` for every answer, and holds
// its next answer back while `held` is set: for exchanges that must still be running.

#include "link/TransferJob.h"
#include "tests/support/FakeLink.h"
#include "tests/support/ScriptedRadio.h"

#include <QThread>
#include <atomic>
#include <memory>

struct SlowRadio {
    explicit SlowRadio(const RadioImage& memory) : radio(std::make_shared<ScriptedRadio>(memory)) {
        link->radio = [radio = radio, this](const QByteArray& written) {
            while (held)
                QThread::msleep(2);
            QThread::msleep(static_cast<unsigned long>(answerDelayMs));
            return radio->answer(written);
        };
    }
    LinkFactory links() const {
        return [link = link] { return link; };
    }

    std::shared_ptr<FakeLink> link = std::make_shared<FakeLink>();
    std::shared_ptr<ScriptedRadio> radio;
    int answerDelayMs = 0;
    std::atomic<bool> held{false};
};
