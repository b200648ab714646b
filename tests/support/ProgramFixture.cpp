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

ConfigDir::ConfigDir() = default;

ConfigDir::ConfigDir(const QString& iniText) {
    WriteFileBytes(iniPath(), iniText.toUtf8());
}

QString ConfigDir::iniPath() const {
    return m_dir.filePath(QStringLiteral("Program.ini"));
}

QString ConfigDir::iniText() const {
    return QString::fromUtf8(ReadFileBytes(iniPath()));
}

QString DefaultIniText() {
    return QString::fromUtf8(ReadFileBytes(QStringLiteral(TEST_SOURCE_DIR "/resources/Program.ini")));
}

QString DefaultIniWith(const QString& key, const QString& value) {
    QStringList lines = DefaultIniText().split(u'\n');
    for (QString& line : lines) {
        if (line.startsWith(key + u'='))
            line = key + u'=' + value;
    }
    return lines.join(u'\n');
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
