#include "tst_model.h"

#include <QTest>

int main(int argc, char** argv) {
    int status = 0;
    {
        ChannelCodecTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        TextAndFilesTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        ProductInfoTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    return status;
}
