#pragma once
// The user-interface language, fixed for a whole run, and the display words that the
// channel table shows in either language. Decoders write the current language's form;
// encoders accept both forms, so a table typed in one language still encodes in the other.

#include <QString>

enum class Language { English, Chinese };

// Picks the text of the current language: Tr(lang, "Read Data", "讀數據").
inline QString Tr(Language language, const char* english, const char* chinese) {
    return QString::fromUtf8(language == Language::Chinese ? chinese : english);
}

enum class Word {
    NoTone,      // tone columns: "None"
    High,        // Power
    Low,         // Power
    ScanYes,     // Scan Add
    ScanNo,      // Scan Add
    BusyOff,     // Busy Lock
    BusyCarrier, // Busy Lock
    BusyTone,    // Busy Lock ("QT/DQT" in both languages)
    Wide,        // W/N
    Narrow,      // W/N
    CompandYes,  // Compand
    CompandNo,   // Compand
};

// The word's form in `language`.
QString WordText(Word word, Language language);

// True when `text` is exactly the English or the Chinese form of `word`.
bool IsWord(const QString& text, Word word);
