#include "tst_alignment.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int status = 0;
    {
        PasswordTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        AdjustDialogsTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        TransferTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    return status;
}
