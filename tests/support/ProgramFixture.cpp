#include "ProgramFixture.h"

#include <QFile>

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
    QFile file(iniPath());
    if (file.open(QIODevice::WriteOnly))
        file.write(iniText.toUtf8());
}

QString ConfigDir::iniPath() const {
    return m_dir.filePath(QStringLiteral("Program.ini"));
}

QString ConfigDir::iniText() const {
    QFile file(iniPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString DefaultIniText() {
    QFile file(QStringLiteral(TEST_SOURCE_DIR "/resources/Program.ini"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
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
