#include "document/EditLabels.h"

namespace {

QString Counted(Language language, int count, const char* english, const char* chinese) {
    return Tr(language, english, chinese).arg(count);
}

QString Prefixed(const QString& word, const QString& label) {
    return label.isEmpty() ? word : word + u' ' + label;
}

} // namespace

QString EditLabel(EditKind kind, Language language, int count) {
    switch (kind) {
    case EditKind::ChannelCell:
        return Counted(language, count, "Edit channel %1", "編輯信道 %1");
    case EditKind::ReadFromRadio:
        return Tr(language, "Read from radio", "從電台讀取");
    case EditKind::OptionalFeatures:
        return Tr(language, "Optional Features", "可選功能");
    case EditKind::ScanInfo:
        return Tr(language, "Scan Info", "掃描信息");
    case EditKind::ProductInformation:
        return Tr(language, "Product Information", "類型設置");
    case EditKind::PowerAdjust:
        return Tr(language, "Power Adjust", "功率調整");
    case EditKind::PowerAdjustRead:
        return Tr(language, "Power Adjust read from radio", "從電台讀取功率調整");
    case EditKind::SqlAdjust:
        return Tr(language, "Sql Adjust", "靜噪調整");
    case EditKind::SqlAdjustRead:
        return Tr(language, "Sql Adjust read from radio", "從電台讀取靜噪調整");
    case EditKind::PasteChannels:
        return count == 1 ? Tr(language, "Paste 1 channel", "粘貼 1 個信道")
                          : Counted(language, count, "Paste %1 channels", "粘貼 %1 個信道");
    case EditKind::CutChannels:
        return count == 1 ? Tr(language, "Cut 1 channel", "剪切 1 個信道")
                          : Counted(language, count, "Cut %1 channels", "剪切 %1 個信道");
    case EditKind::DeleteChannels:
        return count == 1 ? Tr(language, "Delete 1 channel", "刪除 1 個信道")
                          : Counted(language, count, "Delete %1 channels", "刪除 %1 個信道");
    case EditKind::MoveChannelUp:
        return Counted(language, count, "Move channel %1 up", "上移信道 %1");
    case EditKind::MoveChannelDown:
        return Counted(language, count, "Move channel %1 down", "下移信道 %1");
    case EditKind::ImportChannels:
        return Tr(language, "Import Channels", "導入信道");
    case EditKind::SetChannels:
        return count == 1 ? Tr(language, "Set 1 channel", "設置 1 個信道")
                          : Counted(language, count, "Set %1 channels", "設置 %1 個信道");
    case EditKind::FillDown:
        return count == 1 ? Tr(language, "Fill down 1 channel", "向下填充 1 個信道")
                          : Counted(language, count, "Fill down %1 channels", "向下填充 %1 個信道");
    case EditKind::FrequencySeries:
        return Tr(language, "Frequency Series", "頻率序列");
    case EditKind::SortByFrequency:
        return Tr(language, "Sort by Frequency", "按頻率排序");
    case EditKind::CompactChannels:
        return Tr(language, "Compact", "緊縮信道");
    }
    return QString();
}

QString UndoText(const QString& label, Language language) {
    return Prefixed(Tr(language, "Undo", "撤銷"), label);
}

QString RedoText(const QString& label, Language language) {
    return Prefixed(Tr(language, "Redo", "重做"), label);
}
