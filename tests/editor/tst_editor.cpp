// Runs every test class of the channel editor in one executable.
#include "tst_editor.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = 0;
    {
        FlexGridTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        ChannelViewTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        ProductInfoDialogTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
