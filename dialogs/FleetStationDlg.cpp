#include "dialogs/FleetStationDlg.h"

#include "config/LastFolder.h"
#include "config/ProductCatalog.h"
#include "config/UserStore.h"
#include "files/DatFile.h"
#include "link/DetectedPorts.h"
#include "link/FleetRun.h"
#include "radio/ChannelCodec.h"
#include "radio/OwnTexts.h"
#include "ui/CommandIds.h"
#include "ui/HelpHook.h"
#include "ui/Prompts.h"
#include "ui/TransferController.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor kGood(0, 128, 0);
const QColor kBad(192, 0, 0);

QFont Scaled(const QFont& base, double factor, bool bold) {
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

void Paint(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QString StateText(PortState state, Language language) {
    switch (state) {
    case PortState::Waiting:
        return Tr(language, "Waiting for a radio", "等待電台");
    case PortState::Reading:
        return Tr(language, "Reading", "讀取中");
    case PortState::Writing:
        return Tr(language, "Writing", "寫入中");
    case PortState::Verifying:
        return Tr(language, "Verifying", "驗證中");
    case PortState::Done:
        return Tr(language, "Done", "完成");
    case PortState::Failed:
        return Tr(language, "Failed", "失敗");
    case PortState::WrongTarget:
        return Tr(language, "Wrong target", "型號或頻段不符");
    }
    return QString();
}

QString FailureWords(const RadioReport& report, Language language) {
    switch (report.failure) {
    case RadioFailure::None:
        break;
    case RadioFailure::StoppedPartWay:
        return Tr(language, "stopped part way", "中途停止");
    case RadioFailure::WriteFailed:
        return Tr(language, "writing failed: %1", "寫入失敗：%1").arg(report.detail);
    case RadioFailure::StoppedBeforeReadBack:
        return Tr(language, "written, but stopped before the read back", "已寫入，但在讀回前停止");
    case RadioFailure::VerifyFailed:
        return Tr(language, "verify failed: %1", "驗證失敗：%1").arg(report.detail);
    case RadioFailure::VerifyDiffers:
        return Tr(language, "verify failed at address 0x%1", "驗證失敗於位址 0x%1")
            .arg(report.address, 3, 16, QLatin1Char('0'))
            .toUpper();
    }
    return QString();
}

} // namespace

// One port's tile: large enough to read from across a bench.
struct FleetStationDlg::Tile {
    QFrame* frame = nullptr;
    QLabel* state = nullptr;
    QProgressBar* bar = nullptr;
    QLabel* result = nullptr;
    QLabel* note = nullptr;
    QLabel* count = nullptr;
    PortState shown = PortState::Waiting;
    int programmed = 0;
};

FleetStationDlg::FleetStationDlg(FleetStationContext context, QWidget* parent)
    : QDialog(parent), m_context(std::move(context)), m_tiles(new QGridLayout),
      m_total(new QLabel(this)) {
    setWindowTitle(tr2("Fleet Station", "批量編程站"));
    setProperty(kHelpIdProperty, CommandId::kFleetStation);
    m_image = m_context.documentImage;
    m_imageName = m_context.documentName;
    m_setup = buildSetup();
    m_start = new QPushButton(tr2("Start", "開始"), this);
    m_stop = new QPushButton(tr2("Stop", "停止"), this);
    m_close = new QPushButton(tr2("Close", "關閉"), this);
    m_stop->setEnabled(false);
    connect(m_start, &QPushButton::clicked, this, &FleetStationDlg::start);
    connect(m_stop, &QPushButton::clicked, this, &FleetStationDlg::stop);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_total, 1);
    buttons->addWidget(m_start);
    buttons->addWidget(m_stop);
    buttons->addWidget(m_close);
    m_total->setFont(Scaled(font(), 1.5, true));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_setup);
    layout->addLayout(m_tiles, 1);
    layout->addLayout(buttons);
    showImageSource();
    showPorts();
    showTotal();
    resize(820, 560);
}

// A run still going is stopped at once and waited for (see FleetRun).
FleetStationDlg::~FleetStationDlg() {
    delete m_run;
    qDeleteAll(m_tileOf);
}

QString FleetStationDlg::tr2(const char* english, const char* chinese) const {
    return Tr(m_context.language, english, chinese);
}

QWidget* FleetStationDlg::buildSetup() {
    auto* setup = new QWidget(this);
    m_imageLabel = new QLabel(setup);
    m_chooseFile = new QPushButton(tr2("Choose File...", "選擇檔案..."), setup);
    connect(m_chooseFile, &QPushButton::clicked, this, &FleetStationDlg::chooseFile);
    auto* image = new QHBoxLayout;
    image->addWidget(m_imageLabel, 1);
    image->addWidget(m_chooseFile);
    m_ports = new QListWidget(setup);
    m_ports->setMaximumHeight(m_ports->fontMetrics().height() * 6);
    m_operator = new QLineEdit(UserStore(m_context.iniFilePath).operatorName(), setup);
    m_verify = new QCheckBox(tr2("Verify after writing", "寫入後驗證"), setup);
    m_verify->setChecked(true);
    auto* form = new QFormLayout(setup);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr2("Image:", "資料："), image);
    form->addRow(tr2("Ports:", "連接埠："), m_ports);
    form->addRow(tr2("Operator:", "操作員："), m_operator);
    form->addRow(QString(), m_verify);
    return setup;
}

void FleetStationDlg::showImageSource() {
    m_imageLabel->setText(m_image ? QDir::toNativeSeparators(m_imageName)
                                  : tr2("(open a document or choose a .dat file)",
                                        "（請開啟文件或選擇 .dat 檔案）"));
}

// The ports as the system lists them now, with their USB descriptions.
void FleetStationDlg::showPorts() {
    for (const DetectedPort& port : DetectedPorts())
        addPort(port.label(), port.device, Qt::Unchecked);
}

void FleetStationDlg::addPort(const QString& label, const QString& device, Qt::CheckState state) {
    auto* item = new QListWidgetItem(label, m_ports);
    item->setData(Qt::UserRole, device);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(state);
}

void FleetStationDlg::tickPort(const QString& device) {
    for (int row = 0; row < m_ports->count(); ++row) {
        QListWidgetItem* item = m_ports->item(row);
        if (item->data(Qt::UserRole).toString() == device) {
            item->setCheckState(Qt::Checked);
            return;
        }
    }
    addPort(device, device, Qt::Checked); // a device the system does not list
}

void FleetStationDlg::chooseFile() {
    const QString path =
        m_context.prompts->chooseFileToOpen(this, LastFileFolder(m_context.iniFilePath));
    if (path.isEmpty())
        return;
    RadioImage image;
    QString error;
    if (!LoadDatFile(path, image, &error)) {
        m_context.prompts->showError(this, error);
        return;
    }
    RememberFileFolder(m_context.iniFilePath, path);
    m_image = image;
    m_imageName = path;
    showImageSource();
}

bool FleetStationDlg::start() {
    QStringList devices;
    for (int row = 0; row < m_ports->count(); ++row) {
        if (m_ports->item(row)->checkState() == Qt::Checked)
            devices << m_ports->item(row)->data(Qt::UserRole).toString();
    }
    if (!m_image || devices.isEmpty()) {
        m_context.prompts->showError(
            this, !m_image ? tr2("Choose the image to write first.", "請先選擇要寫入的資料。")
                           : tr2("Tick the ports of the cables to program.",
                                 "請勾選要編程的傳輸線的連接埠。"));
        return false;
    }
    UserStore store(m_context.iniFilePath);
    store.setOperatorName(m_operator->text());
    // The same log as the window's Write.
    const QString logPath = ProgrammingLogFile(store.appName());
    QDir().mkpath(QFileInfo(logPath).absolutePath());
    auto log = std::make_unique<FleetLog>();
    QString error;
    if (!log->addFile(logPath, LogFormat::JsonLines, &error)) {
        m_context.prompts->showError(this, OwnText("Not logged (%1)").arg(error));
        return false;
    }
    log->setOperator(m_operator->text());
    log->setImage(*m_image);
    CloneSettings settings;
    settings.image = *m_image;
    ClampCalibration(settings.image); // as every write does, so that the comparisons hold
    settings.verify = m_verify->isChecked();
    settings.iniPath = m_context.iniFilePath;
    m_run = new FleetRun(std::move(settings), devices, std::move(log), this);
    makeTiles(devices);
    connectRun();
    m_stops = 0;
    m_programmed = m_failed = m_skipped = 0;
    showTotal();
    enableSetup(false);
    m_run->start();
    return true;
}

bool FleetStationDlg::isRunning() const {
    return m_run != nullptr;
}

void FleetStationDlg::connectRun() {
    connect(m_run, &FleetRun::portStateChanged, this, &FleetStationDlg::showState);
    connect(m_run, &FleetRun::portProgress, this, &FleetStationDlg::showProgress);
    connect(m_run, &FleetRun::radioDone, this, &FleetStationDlg::showRadio);
    connect(m_run, &FleetRun::portWarning, this, &FleetStationDlg::showWarning);
    connect(m_run, &FleetRun::finished, this, &FleetStationDlg::runEnded);
}

void FleetStationDlg::makeTiles(const QStringList& devices) {
    qDeleteAll(m_tileOf);
    m_tileOf.clear();
    while (QLayoutItem* item = m_tiles->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const int columns = devices.size() > 4 ? 3 : 2;
    for (int i = 0; i < devices.size(); ++i) {
        auto* tile = new Tile;
        tile->frame = new QFrame(this);
        tile->frame->setFrameShape(QFrame::StyledPanel);
        auto* port = new QLabel(devices[i], tile->frame);
        port->setFont(Scaled(font(), 1.6, true));
        tile->state = new QLabel(StateText(PortState::Waiting, m_context.language), tile->frame);
        tile->state->setFont(Scaled(font(), 2.2, true));
        tile->bar = new QProgressBar(tile->frame);
        tile->bar->setMinimumHeight(tile->bar->fontMetrics().height() * 2);
        tile->result = new QLabel(tile->frame);
        tile->result->setFont(Scaled(font(), 1.5, true));
        tile->result->setWordWrap(true);
        tile->note = new QLabel(tile->frame);
        tile->note->setWordWrap(true);
        tile->count = new QLabel(tile->frame);
        tile->count->setFont(Scaled(font(), 1.5, false));
        auto* layout = new QVBoxLayout(tile->frame);
        for (QWidget* part : {static_cast<QWidget*>(port), static_cast<QWidget*>(tile->state),
                              static_cast<QWidget*>(tile->bar), static_cast<QWidget*>(tile->result),
                              static_cast<QWidget*>(tile->note), static_cast<QWidget*>(tile->count)})
            layout->addWidget(part);
        layout->addStretch();
        tile->count->setText(tr2("Done: %1", "已完成：%1").arg(0));
        m_tiles->addWidget(tile->frame, i / columns, i % columns);
        m_tileOf.insert(devices[i], tile);
    }
}

void FleetStationDlg::showState(const QString& port, PortState state) {
    Tile* tile = m_tileOf.value(port);
    if (!tile)
        return;
    tile->shown = state;
    tile->state->setText(StateText(state, m_context.language));
    const bool failed = state == PortState::Failed || state == PortState::WrongTarget;
    Paint(tile->state, state == PortState::Done ? kGood
                       : failed                 ? kBad
                                                : palette().color(QPalette::WindowText));
    if (state == PortState::Reading || state == PortState::Writing || state == PortState::Verifying)
        tile->bar->setValue(0);
}

void FleetStationDlg::showProgress(const QString& port, int done, int total) {
    if (Tile* tile = m_tileOf.value(port)) {
        tile->bar->setMaximum(total);
        tile->bar->setValue(done);
    }
}

void FleetStationDlg::showRadio(const QString& port, const RadioReport& report) {
    Tile* tile = m_tileOf.value(port);
    if (!tile || report.justWritten) // its result stays shown
        return;
    using End = RadioReport::End;
    const QString seconds = QString::number(report.durationMs / 1000.0, 'f', 1);
    QString text;
    switch (report.end) {
    case End::AlreadyProgrammed:
        text = tr2("Radio already programmed", "電台已編程");
        break;
    case End::Programmed:
        ++tile->programmed;
        ++m_programmed;
        text = report.verified
                   ? tr2("Radio %1: written and verified in %2 s", "電台 %1：已寫入並驗證，用時 %2 秒")
                   : tr2("Radio %1: written in %2 s", "電台 %1：已寫入，用時 %2 秒");
        text = text.arg(report.number).arg(seconds);
        break;
    case End::Skipped:
        ++m_skipped;
        text = tr2("Radio %1: skipped: the radio is for %2, the image for %3",
                   "電台 %1：已略過：電台適用於 %2，此資料適用於 %3")
                   .arg(report.number)
                   .arg(ProductName(m_context.iniFilePath, report.target.radioModel,
                                    report.target.radioBand),
                        ProductName(m_context.iniFilePath, report.target.imageModel,
                                    report.target.imageBand));
        break;
    case End::Failed:
        ++m_failed;
        text = tr2("Radio %1: %2", "電台 %1：%2")
                   .arg(report.number)
                   .arg(FailureWords(report, m_context.language));
        break;
    }
    const bool good = report.end == End::Programmed || report.end == End::AlreadyProgrammed;
    tile->result->setText(text);
    Paint(tile->result, good ? kGood : kBad);
    tile->count->setText(tr2("Done: %1", "已完成：%1").arg(tile->programmed));
    if (good)
        tile->note->clear();
    showTotal();
}

void FleetStationDlg::showWarning(const QString& port, const StationWarning& warning) {
    using Kind = StationWarning::Kind;
    QString text;
    switch (warning.kind) {
    case Kind::PortNotOpened:
    case Kind::PortLost:
        text = warning.message + QStringLiteral(" (") + warning.detail + u')';
        break;
    case Kind::ReadBrokeOff:
        text = tr2("A radio broke off while being read; trying again",
                   "電台在讀取時中斷；將再試一次");
        break;
    case Kind::ForcedWrongTarget:
        return; // the station never forces a write
    case Kind::IdentityDiffers:
        text = OwnText("The radio's identity block differs from the document's; the document's "
                       "is written.");
        break;
    case Kind::LogFailed:
        text = OwnText("Not logged (%1)").arg(warning.message) +
               tr2("; no new radio is started", "；不再開始新的電台");
        break;
    case Kind::NoBackup:
        text = OwnText("No backup kept (%1)").arg(warning.message);
        break;
    case Kind::BackupNote:
        m_context.prompts->note(this, warning.message);
        return;
    }
    if (Tile* tile = m_tileOf.value(port)) {
        tile->note->setText(text);
        Paint(tile->note, kBad);
    }
}

// Stop: the radios in hand are finished. Again: they break off, after a question
// while any is being written.
void FleetStationDlg::stop() {
    if (!m_run)
        return;
    if (++m_stops == 1) {
        m_run->stop();
        m_total->setText(m_total->text() + tr2(" - stopping after the radios in hand",
                                                " - 完成手上的電台後停止"));
        return;
    }
    if (radiosBeingWritten()) {
        Prompt prompt;
        prompt.icon = QMessageBox::Warning;
        prompt.text = tr2("Radios are being written; stopping now leaves them half written.\n"
                          "Stop at once?",
                          "正在寫入電台；現在停止會使電台只寫入一半。\n仍要立即停止嗎？");
        prompt.buttons = QMessageBox::Yes | QMessageBox::No;
        prompt.defaultButton = QMessageBox::No;
        if (m_context.prompts->ask(this, prompt) != QMessageBox::Yes || !m_run)
            return;
    }
    m_run->stopAtOnce();
}

bool FleetStationDlg::radiosBeingWritten() const {
    for (const Tile* tile : m_tileOf) {
        if (tile->shown == PortState::Writing || tile->shown == PortState::Verifying)
            return true;
    }
    return false;
}

void FleetStationDlg::runEnded() {
    m_run->deleteLater(); // every worker has ended: nothing to wait for
    m_run = nullptr;
    enableSetup(true);
    showTotal();
    if (m_closeWhenEnded)
        QDialog::done(QDialog::Rejected);
}

void FleetStationDlg::showTotal() {
    m_total->setText(tr2("Programmed %1, failed %2, skipped %3", "已編程 %1，失敗 %2，略過 %3")
                         .arg(m_programmed)
                         .arg(m_failed)
                         .arg(m_skipped));
}

QString FleetStationDlg::tileState(const QString& device) const {
    const Tile* tile = m_tileOf.value(device);
    return tile ? tile->state->text() : QString();
}

QString FleetStationDlg::tileResult(const QString& device) const {
    const Tile* tile = m_tileOf.value(device);
    return tile ? tile->result->text() : QString();
}

QString FleetStationDlg::totalText() const {
    return m_total->text();
}

void FleetStationDlg::enableSetup(bool enabled) {
    m_setup->setEnabled(enabled);
    m_start->setEnabled(enabled);
    m_stop->setEnabled(!enabled);
}

// Closing while radios are being written asks first; the window goes once every worker
// has ended, so that no port stays open.
void FleetStationDlg::done(int result) {
    if (m_closeWhenEnded)
        return;
    if (m_run && radiosBeingWritten() &&
        !UserClosesDuringTransfer(*m_context.prompts, this, true, ClosingWhat::Window))
        return;
    if (!m_run) { // not started, ended, or it ended while the question was up
        QDialog::done(result);
        return;
    }
    m_closeWhenEnded = true;
    m_run->stopAtOnce();
}
