#include "platform/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QtTranslations::QtTranslations() = default;

QtTranslations::~QtTranslations()
{
    remove();
}

QString QtTranslations::translationsFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

void QtTranslations::remove()
{
    for (std::unique_ptr<QTranslator>* translator : {&m_base, &m_engine}) {
        if (*translator) {
            QCoreApplication::removeTranslator(translator->get());
            translator->reset();
        }
    }
}

bool QtTranslations::use(const QString& locale, const QString& folder)
{
    remove();
    const QLocale language(locale);
    if (locale.trimmed().isEmpty() || language.language() == QLocale::English)
        return true;
    // A locale Qt does not know gives the C locale, whose texts are the English ones.
    if (language.language() == QLocale::C)
        return false;
    auto base = std::make_unique<QTranslator>();
    if (!base->load(language, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
        return false;
    QCoreApplication::installTranslator(base.get());
    m_base = std::move(base);
    // Debian ships no translation of the engine for every language: its texts stay English then.
    auto engine = std::make_unique<QTranslator>();
    if (engine->load(language, QStringLiteral("qtwebengine"), QStringLiteral("_"), folder)) {
        QCoreApplication::installTranslator(engine.get());
        m_engine = std::move(engine);
    }
    return true;
}
