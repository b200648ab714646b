#include "link/RunSession.h"

#include "link/SerialTrace.h"
#include "link/TransferRunner.h"

RunSession::RunSession(QString commandLinePort, QString tracePath)
    : m_portName(commandLinePort), m_commandLinePort(std::move(commandLinePort)),
      m_tracePath(std::move(tracePath)) {}

RunSession::~RunSession() = default;

LinkFactory RunSession::serialLinks() {
    if (!m_traceTried && !m_tracePath.isEmpty()) {
        m_traceTried = true; // a trace that cannot be opened is not tried again
        auto file = std::make_shared<TraceFile>(m_tracePath);
        QString error;
        if (file->open(&error))
            m_trace = file;
        else
            qWarning("%s", qUtf8Printable(error));
    }
    return SerialPortLinks(m_trace);
}
