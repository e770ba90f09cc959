#include "shell/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace zorvik {

int installTranslations(const QLocale& locale, QObject* owner) {
    int installed = 0;
    // QTranslator::load tries each of the locale's interface languages in turn (de_AT, then de), so a
    // user in Austria gets the German texts.
    auto install = [&](const QString& name, const QString& folder) {
        auto* translator = new QTranslator(owner);
        if (translator->load(locale, name, u"_"_s, folder) && QCoreApplication::installTranslator(translator))
            ++installed;
        else
            delete translator;
    };
    install(u"zorvik"_s, u":/i18n"_s); // embedded by qt_add_translations
    install(u"qtbase"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return installed;
}

} // namespace zorvik
