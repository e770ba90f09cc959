#pragma once

class QLocale;
class QObject;

namespace zorvik {

// Installs the program's translation for `locale`, and Qt's own for the standard dialogs (file and
// folder choosers, the buttons of message boxes), when there is one for its languages. The
// translators are children of `owner`: deleting it takes them out again. Returns how many were
// installed (none for English, which is the language of the sources).
int installTranslations(const QLocale& locale, QObject* owner);

} // namespace zorvik
