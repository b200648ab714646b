#include "app/ProgramApp.h"

#include "app/CaptionFit.h"
#include "ui/CommandIds.h"
#include "app/HelpViewer.h"
#include "app/MainFrame.h"
#include "ui/Pictures.h"
#include "app/ProgramStyle.h"
#include "config/StartupConfig.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QTranslator>

namespace {

constexpr int kExitStartFailed = 1;

QIcon ProgramIcon() {
    const QIcon fileIcon(startupConfig().programDirectory + QStringLiteral("title.ico"));
    if (!fileIcon.isNull() && !fileIcon.availableSizes().isEmpty())
        return fileIcon;
    return QIcon(QPixmap::fromImage(DrawProgramIcon(32)));
}

} // namespace

CProgramApp::CProgramApp() = default;

CProgramApp::~CProgramApp() {
    m_frame.reset();
    if (m_captionFit)
        qApp->removeEventFilter(m_captionFit.get());
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
}

// Qt's own texts (standard buttons of message boxes, file and print dialogs) in the
// run's language; a Chinese run without Qt's translations installed keeps them English.
void CProgramApp::useQtTranslations(bool chinese) {
    if (!chinese)
        return;
    m_translator = std::make_unique<QTranslator>();
    if (m_translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(m_translator.get());
}

bool CProgramApp::InitInstance(const QStringList& arguments, const QString& programDirectory) {
    m_commandLine = ParseCommandLine(arguments);
    if (const std::optional<int> status = AnswerWithoutWindows(m_commandLine, programDirectory)) {
        m_exitCode = *status;
        return false;
    }

    // Program.ini, the language and the file locations of the run.
    LoadRunConfig(programDirectory, m_commandLine);
    useQtTranslations(startupConfig().chineseLanguage);
    ProgramStyle::install();
    m_captionFit = std::make_unique<CCaptionFit>();
    qApp->installEventFilter(m_captionFit.get());

    m_frame = std::make_unique<CMainFrame>(RunSession(m_commandLine.port, m_commandLine.tracePath));
    m_frame->prompts().setHandlers(m_promptHandlers);
    m_frame->setRestartArguments(RestartArguments(m_commandLine));
    m_frame->setHelpHandler(HelpViewerFor(m_frame.get()));

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
