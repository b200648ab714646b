#include "tst_link.h"

#include <QCoreApplication>
#include <QTest>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // serial ports need the event dispatcher
    int status = 0;
    {
        ProgrammingExchangeTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        AlignmentExchangeTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        SerialLineTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    return status;
}
