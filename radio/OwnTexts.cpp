#include "radio/OwnTexts.h"

#include <cstring>
#include <iterator>

namespace {

Language g_messageLanguage = Language::English;

// The Chinese forms use Traditional characters, as the program's other own texts do.
// Placeholders (%1, %2, ...) appear in both forms alike.
constexpr OwnTextForms kOwnTexts[] = {
    // Files the program reads and writes.
    {"%1: cannot open the file (%2)", "%1：無法開啟檔案（%2）"},
    {"%1: cannot save the file (%2)", "%1：無法儲存檔案（%2）"},
    {"%1: cannot write the file (%2)", "%1：無法寫入檔案（%2）"},
    {"%1: the file holds %2 bytes; a radio image needs %3",
     "%1：檔案只有 %2 個位元組；電台資料需要 %3 個"},
    {"the folder does not exist", "資料夾不存在"},
    {"the folder is not writable", "資料夾不可寫入"},
    {"it is not a regular file but a folder, device or pipe",
     "這不是一般檔案，而是資料夾、裝置或管道"},
    {"\"%1\" was changed on disk since it was opened or saved here.\n"
     "Saving replaces what is in it now. Save anyway?",
     "「%1」在此開啟或儲存之後已在磁碟上被變更。\n儲存將取代其目前的內容。仍要儲存嗎？"},
    {"The channel data of \"%1\"\nhas changes that are not saved. Save them?",
     "「%1」的信道資料已變更但尚未儲存。\n是否儲存？"},

    // Backups of the radio.
    {"the image is already kept as %1", "此資料已保存為 %1"},
    {"1 older backup", "1 個較舊的備份"},
    {"%1 older backups", "%1 個較舊的備份"},
    {"%1 of this radio removed (its first backup and the newest %2 are kept): %3",
     "已刪除此電台的%1（保留其第一個備份及最新的 %2 個）：%3"},
    {"%1: cannot create the backups folder (%2)", "%1：無法建立備份資料夾（%2）"},
    {"No backup kept (%1)", "未保存備份（%1）"},

    // The serial port and its trace.
    {"%1: no such device (is the cable or USB adapter plugged in, and is this the right "
     "port?)",
     "%1：沒有此裝置（傳輸線或 USB 轉接器是否已插好？連接埠是否正確？）"},
    {"%1: the device is busy: another program has it open (%2)",
     "%1：裝置忙碌：另一個程式正在使用它（%2）"},
    {"%1: cannot open the trace file (%2)", "%1：無法開啟記錄檔（%2）"},
    {"%1: the trace is incomplete (%2)", "%1：記錄不完整（%2）"},

    // Start-up and the language choice.
    {"Only one .dat file can be opened at start-up.", "啟動時只能開啟一個 .dat 檔案。"},
    {"--port needs a device name.", "--port 需要一個裝置名稱。"},
    {"--config: there is no Program.ini in %1", "--config：%1 中沒有 Program.ini"},
    {"%1: cannot save the language choice (%2).", "%1：無法儲存語言選擇（%2）。"},

    // Exchanges with the radio, and channel lists read.
    {"The radio may hold part of the new data: write again, or restore its backup.",
     "電台可能只存有部分新資料：請再寫一次，或寫回它的備份。"},
    {"The radio's calibration may be partly written: write again to complete it.",
     "電台的校準資料可能只寫入了一部分：請再寫一次以完成。"},
    {"The radio is being read or written: the channels cannot be changed until it ends.",
     "正在讀寫電台：完成前不能修改信道。"},
    {"A write to the radio is running; closing now leaves the radio half written.\n"
     "Close the program anyway?",
     "正在寫入電台；現在關閉會使電台只寫入一半。\n仍要關閉程式嗎？"},
    {"A read from the radio is running; closing now cancels it.\nClose the program anyway?",
     "正在讀取電台；現在關閉會取消讀取。\n仍要關閉程式嗎？"},
    {"A write to the radio is running; closing now leaves the radio half written.\n"
     "Close the window anyway?",
     "正在寫入電台；現在關閉會使電台只寫入一半。\n仍要關閉視窗嗎？"},
    {"A read from the radio is running; closing now cancels it.\nClose the window anyway?",
     "正在讀取電台；現在關閉會取消讀取。\n仍要關閉視窗嗎？"},
    {"The radio is for %1; this document is for %2. Write anyway?",
     "電台適用於 %1；此資料適用於 %2。仍要寫入嗎？"},
    {"The radio's identity block differs from the document's; the document's is written.",
     "電台的識別區塊與此資料不同；將寫入此資料的識別區塊。"},
    {"Written and verified", "已寫入並驗證"},
    {"Verify failed at 0x%1: the radio holds %2, the image %3",
     "驗證失敗於 0x%1：電台存有 %2，資料為 %3"},
    {"Not logged (%1)", "未記錄（%1）"},
    {"These frequencies would be refused if typed:\n%1\nWrite anyway?",
     "下列頻率若是鍵入會被拒絕：\n%1\n仍要寫入嗎？"},
    {"The radio already holds this image; nothing was written.",
     "電台已存有此資料；沒有寫入任何內容。"},
    {"There is no backup of this radio in %1.", "%1 中沒有此電台的備份。"},
    {"%1: the file is too large for a channel list", "%1：檔案太大，不能作為信道列表"},
    {"The Name and Comment columns are not imported (the radio keeps no channel names).",
     "名稱（Name）和備註（Comment）欄沒有導入（電台不保存信道名稱）。"},

    // Channel lists read: the CSV text, its headings and its rows.
    {"line %1: a quoted field is not closed", "第 %1 行：引號內的欄位沒有結束"},
    {"line %1: unexpected text after a closing quote", "第 %1 行：結束引號之後有多餘的文字"},
    {"line %1: a quote inside an unquoted field", "第 %1 行：沒有引號的欄位中出現引號"},
    {"the file has no header line", "檔案沒有標題行"},
    {"line %1: the heading \"%2\" is missing", "第 %1 行：缺少欄標題「%2」"},
    {"line %1, column %2: \"%3\" is not a column heading, or it is repeated; the headings are CH, "
     "Rx Frequency, Tx Frequency, QT/DQT Dec, QT/DQT Enc, Power, Scan Add, Busy Lock, W/N, Compand",
     "第 %1 行，第 %2 欄：「%3」不是欄標題，或重複出現；欄標題為 CH、Rx Frequency、"
     "Tx Frequency、QT/DQT Dec、QT/DQT Enc、Power、Scan Add、Busy Lock、W/N、Compand"
     "（或它們的中文標題）"},
    {"line %1: %2 fields where the header has %3", "第 %1 行：有 %2 個欄位，而標題行有 %3 個"},
    {"line %1, column \"%2\": %3", "第 %1 行，「%2」欄：%3"},
    {"line %1, column \"CH\": \"%2\" is not a channel; allowed: 1 to 16, each at most once",
     "第 %1 行，「CH」欄：「%2」不是信道；允許：1 至 16，每個最多一次"},
    {"\"%1\" is not a channel; allowed: 1 to 16, each at most once",
     "「%1」不是信道；允許：1 至 16，每個最多一次"},
    {"%1 %2 appears twice: lines %3 and %4", "%1 %2 出現兩次：第 %3 行和第 %4 行"},
    {"\"%1\" is not a frequency; allowed: %2 MHz", "「%1」不是頻率；允許：%2 MHz"},
    {"\"%1\" is too long to be a frequency; allowed: %2 MHz", "「%1」太長，不是頻率；允許：%2 MHz"},
    {"%1 MHz is out of range; allowed: %2 MHz", "%1 MHz 超出範圍；允許：%2 MHz"},
    {"%1 MHz is on neither the 5 kHz nor the 6.25 kHz channel step",
     "%1 MHz 既不在 5 kHz 也不在 6.25 kHz 的信道步進上"},
    {"below 1000", "1000 以下"},
    {"%1 to %2", "%1 至 %2"},
    {"\"%1\" is not a tone; allowed: None, a CTCSS tone such as 67.0, or a DCS code such as D023N "
     "or D023I",
     "「%1」不是亞音；允許：None 或 無、CTCSS 亞音（例如 67.0）或 DCS 碼（例如 D023N 或 D023I）"},
    {"\"%1\" is not allowed; allowed: %2", "「%1」不允許；允許：%2"},
    {"\"%1\" is not supported; allowed: %2", "「%1」不支援；允許：%2"},
    {"\"%1\" is not a CTCSS tone of the radio; allowed: 67.0 to 254.1 Hz from the standard list",
     "「%1」不是電台的 CTCSS 亞音；允許：標準列表中 67.0 至 254.1 Hz 的亞音"},
    {"\"%1\" is not a DCS code of the radio; allowed: 023 to 754 from the standard list",
     "「%1」不是電台的 DCS 碼；允許：標準列表中 023 至 754 的碼"},
    {"\"%1\" is not an offset in MHz", "「%1」不是以 MHz 為單位的頻差"},
    {"\"%1\" is too long to be an offset in MHz", "「%1」太長，不是以 MHz 為單位的頻差"},
    {"%1 MHz below %2 MHz leaves no transmit frequency", "%2 MHz 減去 %1 MHz 後沒有發射頻率"},
    {"empty, Tone, TSQL, DTCS, Cross", "空白、Tone、TSQL、DTCS、Cross"},
    {"empty, +, -, split, off", "空白、+、-、split、off"},
    {"FM (wide), NFM (narrow)", "FM（寬帶）、NFM（窄帶）"},
    {"empty (scanned), S (skipped)", "空白（掃描）、S（跳過）"},
    {"\"%1\" is not a number", "「%1」不是數字"},
    {"%1 is not a channel 1 to 16; choose the rows with --rows A-B and place them with "
     "--first-channel N",
     "%1 不是 1 至 16 的信道；請用 --rows A-B 選擇行，並用 --first-channel N 放置"},
    {"no row has a Location from %1 to %2", "沒有 Location 在 %1 至 %2 之間的行"},
    {"%1 rows do not fit from channel %2 on: only %3 fit (channels %2 to 16); choose fewer with "
     "--rows A-B",
     "從信道 %2 起放不下 %1 行：只放得下 %3 行（信道 %2 至 16）；請用 --rows A-B 選擇較少的行"},
    {"the rows and the first channel place rows of the common layout (headed Location,...); this "
     "file names its channels by CH",
     "行範圍與起始信道只用於通用格式（標題為 Location,...）的行；此檔案以 CH 指定信道"},

    // Pasting into the channel grid.
    {"line %1: %2 cells do not fit from column \"%3\" on",
     "第 %1 行：%2 個儲存格從「%3」欄起放不下"},

    // Channel plans: the rules a channel breaks, checking and filling from a plan.
    {"not a frequency of the plan", "不是此計劃的頻率"},
    {"the plan is simplex: transmit must equal receive", "此計劃為單工：發射頻率必須等於接收頻率"},
    {"the plan requires Narrow", "此計劃要求窄帶"},
    {"the plan requires Wide", "此計劃要求寬帶"},
    {"the plan allows Low power only", "此計劃只允許低功率"},
    {"the plan allows no tones", "此計劃不允許亞音"},
    {"No channel breaks a rule of %1.", "沒有信道違反 %1 的規則。"},
    {"%1 of the %2 channels of %3 are left out (outside %4, or beyond 16).",
     "%3 的 %2 個信道中有 %1 個未寫入（在 %4 之外，或超過 16 個）。"},
    {"No channel plans were found in %1.", "在 %1 中找不到信道計劃。"},

    // Help.
    {"The help pages are missing: %1", "找不到幫助頁面：%1"},

    // Dialog fields.
    {"Please enter a number.", "請輸入一個數字。"},
    {"Please enter an integer.", "請輸入一個整數。"},
};

} // namespace

void SetMessageLanguage(Language language) {
    g_messageLanguage = language;
}

Language MessageLanguage() {
    return g_messageLanguage;
}

QString OwnText(const char* english) {
    if (g_messageLanguage == Language::Chinese) {
        for (const OwnTextForms& forms : kOwnTexts) {
            if (std::strcmp(forms.english, english) == 0)
                return QString::fromUtf8(forms.chinese);
        }
    }
    return QString::fromUtf8(english);
}

const OwnTextForms* OwnTextTable(int* count) {
    *count = int(std::size(kOwnTexts));
    return kOwnTexts;
}
