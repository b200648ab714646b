#include "tests/support/ProgramFixture.h"

#include "tests/support/Files.h"

namespace {

// The recorder the programs started next answer with.
PromptRecorder* g_recorder = nullptr;

} // namespace

PromptRecorder::PromptRecorder() {
    g_recorder = this;
}

PromptRecorder::~PromptRecorder() {
    if (g_recorder == this)
        g_recorder = nullptr;
}

PromptHandlers PromptRecorder::handlers() {
    PromptHandlers handlers;
    handlers.ask = [this](const Prompt& prompt) {
        asked << prompt;
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        return prompt.defaultButton != QMessageBox::NoButton ? prompt.defaultButton
                                                             : QMessageBox::Ok;
    };
    handlers.openFile = [this] { return m_openFile; };
    handlers.saveFile = [this](const QString& proposed) {
        proposedSaveNames << proposed;
        return m_saveFile;
    };
    return handlers;
}

std::unique_ptr<CProgramApp> StartProgram(const ConfigDir& config,
                                          const QStringList& extraArguments) {
    auto app = std::make_unique<CProgramApp>();
    if (g_recorder)
        app->setPromptHandlers(g_recorder->handlers());
    QStringList arguments{QStringLiteral("Program"), QStringLiteral("--config"), config.path()};
    arguments << extraArguments;
    if (!app->InitInstance(arguments, QStringLiteral(TEST_BIN_DIR)))
        return nullptr;
    return app;
}

RunningProgram::RunningProgram()
    : config(DefaultIniText()), app(StartProgram(config)), frame(app ? app->mainFrame() : nullptr) {
}
