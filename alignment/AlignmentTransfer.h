#pragma once
// Runs one alignment exchange (Read or Write of one calibration table) in a worker
// thread, so the dialog stays responsive while a silent radio's time-outs run out, and
// reports the outcome on the thread that started it.
//
// The worker gets its own copy of the image and a link created in its own thread; the
// result comes back through `finished`, which the starting thread receives queued.

#include "AlignmentExchange.h"

#include <QObject>
#include <functional>
#include <memory>

class QThread;

class AlignmentTransfer : public QObject {
    Q_OBJECT
public:
    enum class Direction { Read, Write };
    // Gives the link, called in the worker thread (a new QtSerialLink, or a test's link).
    using LinkFactory = std::function<std::shared_ptr<SerialLink>()>;

    AlignmentTransfer(CalibrationTable table, LinkFactory linkFactory, QObject* parent = nullptr);
    // Waits for a running exchange: its time-outs bound the wait.
    ~AlignmentTransfer() override;

    static LinkFactory serialPortLinks();
    // Takes effect from the next exchange.
    void setLinkFactory(LinkFactory linkFactory) { m_linkFactory = std::move(linkFactory); }

    bool isRunning() const { return m_thread != nullptr; }
    CalibrationTable table() const { return m_table; }

    // Starts the exchange on `device` with a copy of `image`; false while one runs.
    bool start(Direction direction, const QString& device, const RadioImage& image,
               Language language);

signals:
    // `image` is the worker's copy: after a successful read it holds the table read.
    void finished(Direction direction, const ExchangeOutcome& outcome, const RadioImage& image);

private:
    struct Job {
        Direction direction;
        QString device;
        RadioImage image;
        Language language;
        ExchangeOutcome outcome;
    };

    CalibrationTable m_table;
    LinkFactory m_linkFactory;
    QThread* m_thread = nullptr;
};
