// The main of every subsystem test executable:
//   tst_model                     runs every registered class
//   tst_model ChannelCodecTest    runs one class; further arguments go to QtTest
//   tst_model --classes           lists the registered classes
#include "tests/support/TestSuite.h"

#include <QTemporaryDir>
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

std::vector<std::pair<const char*, TestClassFactory>>& Registry() {
    static std::vector<std::pair<const char*, TestClassFactory>> classes;
    return classes;
}

// CTest gives every class its own settings folders. A suite started by hand gets a
// temporary pair for the run, so tests never read or write the developer's own
// settings, backups or Program.ini.
void UsePrivateUserFolders(const QTemporaryDir& folder) {
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath("config")));
    if (qEnvironmentVariableIsEmpty("XDG_DATA_HOME"))
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder.filePath("data")));
}

int Run(const TestClassFactory& factory, int argc, char** argv) {
    const std::unique_ptr<QObject> test = factory();
    return QTest::qExec(test.get(), argc, argv);
}

} // namespace

bool RegisterTestClass(const char* name, TestClassFactory factory) {
    Registry().emplace_back(name, std::move(factory));
    return true;
}

int main(int argc, char** argv) {
    const QTemporaryDir userFolders;
    UsePrivateUserFolders(userFolders);
    TestApplication app(argc, argv);
#ifdef TEST_GUI_APP
    app.setAttribute(Qt::AA_Use96Dpi, true);
#endif
    const char* wanted = argc > 1 ? argv[1] : "-";
    int failed = 0;
    for (const auto& [name, factory] : Registry()) {
        if (std::strcmp(wanted, "--classes") == 0) {
            std::printf("%s\n", name);
        } else if (wanted[0] == '-') {
            failed += Run(factory, argc, argv) != 0;
        } else if (std::strcmp(name, wanted) == 0) {
            argv[1] = argv[0]; // QtTest sees the program name, then its own options
            return Run(factory, argc - 1, argv + 1);
        }
    }
    if (wanted[0] != '-') {
        std::fprintf(stderr, "no test class %s (see --classes)\n", wanted);
        return 2;
    }
    return failed == 0 ? 0 : 1;
}
