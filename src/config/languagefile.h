#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Lang_Text: the caption table, texts numbered from 1. A missing caption is an empty text.
class CaptionTable {
public:
    static constexpr int kCapacity = 1000;

    QString text(int number) const;
    // The caption, or else the one of the English language file built into the program: for a
    // language file that ends before the captions added later, or none read at all. Messages
    // take their texts so, never empty.
    QString textOrEnglish(int number) const;
    // The caption of the English language file built into the program.
    static QString english(int number);
    void set(int number, const QString& text);
    void clear();
    QString operator[](int number) const { return text(number); }

private:
    QStringList m_texts = QStringList(kCapacity + 1);
};

// The language-dependent settings. Settings absent from a newly read file keep their value.
struct LanguageSettings {
    QString Start_Page;
    QString Lang_Code;
    QString searchUrl;
    QString searchDescr;
    QString dictionaryUrl;
    QString dictionaryDescr;
    QString mapUrl;
    QString mapDescr;
    QString socialUrl;
    QString socialDescr;
    QString ecommerceUrl;
    QString ecommerceDescr;
    QString translatorPath;
    qint16 Tab_Width = 0;
};

namespace LanguageFile {

// The outcome of reading a language file.
struct ReadResult {
    bool ok = false;       // false: the file could not be opened or read
    QList<int> tabNumbers; // the TAB_NUMBER values, in file order, already bounded
};

// Bounds of the tab count a language file may ask for.
constexpr int kMinTabs = 1;
constexpr int kMaxTabs = 16;

// Read_Lang without the window: clears the caption table, then fills it and the settings.
ReadResult read(const QString& path, CaptionTable& captions, LanguageSettings& settings);

} // namespace LanguageFile
