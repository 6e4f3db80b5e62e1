#pragma once

#include <QString>

#include <memory>

class QTranslator;

// Qt's own texts (the file, print-preview and page-setup dialogs, the standard buttons) and the
// web engine's in the language of the interface, from the translations Qt ships
// (qtbase_<locale>.qm and qtwebengine_<locale>.qm in Qt's translations folder). The windows
// open from then on, and the standard buttons of those open, speak that language.
class QtTranslations {
public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Replaces the translations in use by those of the locale ("de", "it", "pt_BR"). An empty
    // locale, English, or one Qt has no translation for gives Qt's own English texts. True when
    // Qt's translation of the locale was found (or English asked for).
    bool use(const QString& locale, const QString& folder = translationsFolder());
    // Qt's translations folder.
    static QString translationsFolder();

private:
    void remove();

    std::unique_ptr<QTranslator> m_base;
    std::unique_ptr<QTranslator> m_engine;
};
