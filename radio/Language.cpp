#include "radio/Language.h"

#include <array>

namespace {

struct WordForms {
    Word word;
    const char* english;
    const char* chinese;
};

constexpr std::array<WordForms, 12> kWords = {{
    {Word::NoTone, "None", "無"},
    {Word::High, "High", "高"},
    {Word::Low, "Low", "低"},
    {Word::ScanYes, "Yes", "有"},
    {Word::ScanNo, "No", "無"},
    {Word::BusyOff, "Off", "關"},
    {Word::BusyCarrier, "Carrier", "載波"},
    {Word::BusyTone, "QT/DQT", "QT/DQT"},
    {Word::Wide, "Wide", "寬"},
    {Word::Narrow, "Narrow", "窄"},
    {Word::CompandYes, "Yes", "是"},
    {Word::CompandNo, "No", "否"},
}};

const WordForms& Forms(Word word) {
    return kWords[static_cast<std::size_t>(word)];
}

} // namespace

QString WordText(Word word, Language language) {
    const WordForms& forms = Forms(word);
    return Tr(language, forms.english, forms.chinese);
}

bool IsWord(const QString& text, Word word) {
    const WordForms& forms = Forms(word);
    return text == QString::fromUtf8(forms.english) || text == QString::fromUtf8(forms.chinese);
}
