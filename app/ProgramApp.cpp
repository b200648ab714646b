#include "ProgramApp.h"

#include "AppConfig.h"
#include "CaptionFit.h"
#include "CommandIds.h"
#include "HelpViewer.h"
#include "MainFrame.h"
#include "Pictures.h"
#include "ProgramStyle.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QTranslator>

namespace {

constexpr int kExitStartFailed = 1;

// Qt's own texts (standard buttons of message boxes, file and print dialogs) in the
// run's language; a Chinese run without Qt's translations installed keeps them English.
void UseQtTranslations(bool chinese) {
    static QTranslator* translator = nullptr;
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
    if (!chinese)
        return;
    translator = new QTranslator;
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

QIcon ProgramIcon() {
    const QIcon fileIcon(appConfig().programDirectory + QStringLiteral("title.ico"));
    if (!fileIcon.isNull() && !fileIcon.availableSizes().isEmpty())
        return fileIcon;
    return QIcon(QPixmap::fromImage(DrawProgramIcon(32)));
}

} // namespace

CProgramApp::CProgramApp() = default;
CProgramApp::~CProgramApp() = default;

bool CProgramApp::InitInstance(const QStringList& arguments, const QString& programDirectory) {
    m_commandLine = ParseCommandLine(arguments);
    if (const std::optional<int> status = AnswerWithoutWindows(m_commandLine, programDirectory)) {
        m_exitCode = *status;
        return false;
    }

    // Program.ini, the language and the file locations of the run.
    appConfig() = AppConfig();
    LoadRunConfig(programDirectory, m_commandLine);
    UseQtTranslations(appConfig().chineseLanguage);
    ProgramStyle::install();
    static CCaptionFit* captionFit = new CCaptionFit(qApp);
    qApp->installEventFilter(captionFit);

    m_frame = std::make_unique<CMainFrame>();
    m_frame->setRestartArguments(RestartArguments(m_commandLine));
    InstallHelpViewer(m_frame.get());

    // The first document: the file named on the command line, else a new one.
    if (m_commandLine.datFile.isEmpty()) {
        m_frame->createNewDocument();
    } else if (!m_frame->openDocumentFile(m_commandLine.datFile)) {
        m_exitCode = kExitStartFailed;
        return false;
    }

    m_frame->showMaximized();
    const QIcon icon = ProgramIcon();
    m_frame->setWindowIcon(icon);
    QApplication::setWindowIcon(icon);
    appConfig().applicationName = LanguageText(QStringLiteral("Company"));
    adaptMenus();
    return true;
}

void CProgramApp::adaptMenus() {
    // The first Help item carries the About Title of Program.ini.
    if (!m_frame->helpMenu()->actions().isEmpty())
        m_frame->helpMenu()->actions().first()->setText(
            LanguageText(QStringLiteral("About Title")));
    if (!LanguageItemShown())
        m_frame->setupMenu()->removeAction(m_frame->commandAction(CommandId::kLanguage));
    // The alignment entries appear only after the access code (Ctrl+F11).
    m_frame->editMenu()->removeAction(m_frame->commandAction(CommandId::kPowerAdjust));
    m_frame->editMenu()->removeAction(m_frame->commandAction(CommandId::kSqlAdjust));
}
