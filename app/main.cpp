// The window program: programs a 16-channel FM radio's channels and settings.

#include "app/ProgramApp.h"
#include "config/RunConfig.h"

#include <QApplication>

int main(int argc, char** argv) {
    // --help, --version and mistakes are answered before the window system starts, so
    // they work without a display.
    {
        QCoreApplication withoutWindows(argc, argv);
        const CommandLine commandLine = ParseCommandLine(QCoreApplication::arguments());
        if (const std::optional<int> status =
                AnswerWithoutWindows(commandLine, QCoreApplication::applicationDirPath()))
            return *status;
    }
    QApplication qtApp(argc, argv);
    // Ties the windows to the installed menu entry (its icon and name on Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral(PROGRAM_APP_ID));
    CProgramApp app;
    if (!app.InitInstance(QCoreApplication::arguments(), QCoreApplication::applicationDirPath()))
        return app.exitCode();
    return qtApp.exec();
}
