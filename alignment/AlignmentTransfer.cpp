#include "AlignmentTransfer.h"

#include "SerialTrace.h"

#include <QThread>

AlignmentTransfer::AlignmentTransfer(CalibrationTable table, LinkFactory linkFactory,
                                     QObject* parent)
    : QObject(parent), m_table(table), m_linkFactory(std::move(linkFactory)) {}

AlignmentTransfer::~AlignmentTransfer() {
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

AlignmentTransfer::LinkFactory AlignmentTransfer::serialPortLinks() {
    return [] { return std::shared_ptr<SerialLink>(NewSerialLink()); };
}

bool AlignmentTransfer::start(Direction direction, const QString& device, const RadioImage& image,
                              Language language) {
    if (m_thread)
        return false;
    auto job = std::make_shared<Job>(Job{direction, device, image, language, {}});
    const CalibrationTable table = m_table;
    const LinkFactory linkFactory = m_linkFactory;
    m_thread = QThread::create([job, table, linkFactory] {
        const std::shared_ptr<SerialLink> link = linkFactory();
        AlignmentExchange exchange(*link, table, job->language);
        job->outcome = job->direction == Direction::Read ? exchange.read(job->device, job->image)
                                                         : exchange.write(job->device, job->image);
    });
    connect(m_thread, &QThread::finished, this, [this, job] {
        m_thread->deleteLater();
        m_thread = nullptr;
        emit finished(job->direction, job->outcome, job->image);
    });
    m_thread->start();
    return true;
}
