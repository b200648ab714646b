// The main of every subsystem test executable:
//   tst_model                     runs every registered class
//   tst_model ChannelCodecTest    runs one class; further arguments go to QtTest
//   tst_model --classes           lists the registered classes
#include "TestSuite.h"

#include <QTest>
#include <cstring>
#include <vector>

#ifdef TEST_GUI_APP
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

namespace {

struct RegisteredClass {
    const char* name;
    TestClassFactory factory;
};

std::vector<RegisteredClass>& Registry() {
    static std::vector<RegisteredClass> classes;
    return classes;
}

int Run(const RegisteredClass& registered, int argc, char** argv) {
    const std::unique_ptr<QObject> test = registered.factory();
    return QTest::qExec(test.get(), argc, argv);
}

} // namespace

bool RegisterTestClass(const char* name, TestClassFactory factory) {
    Registry().push_back({name, std::move(factory)});
    return true;
}

int main(int argc, char** argv) {
    TestApplication app(argc, argv);
#ifdef TEST_GUI_APP
    app.setAttribute(Qt::AA_Use96Dpi, true);
#endif
    if (argc > 1 && std::strcmp(argv[1], "--classes") == 0) {
        for (const RegisteredClass& registered : Registry())
            std::printf("%s\n", registered.name);
        return 0;
    }
    if (argc > 1 && argv[1][0] != '-') {
        for (const RegisteredClass& registered : Registry()) {
            if (std::strcmp(registered.name, argv[1]) == 0) {
                argv[1] = argv[0]; // QtTest sees the program name, then its own options
                return Run(registered, argc - 1, argv + 1);
            }
        }
        std::fprintf(stderr, "no test class %s (see --classes)\n", argv[1]);
        return 2;
    }
    int failed = 0;
    for (const RegisteredClass& registered : Registry())
        failed += Run(registered, argc, argv) != 0;
    return failed == 0 ? 0 : 1;
}
