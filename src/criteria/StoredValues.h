#pragma once

#include <QLocale>
#include <QString>

namespace zorvik {

// A stored unit index: a number that fits 16 bits, and a position of the unit list or -1 (nothing
// chosen). Throws Failure ("Type mismatch", "Overflow", "Invalid property value") otherwise.
int unitIndexFrom(const QString& text, const QLocale& locale);

// A stored option state: the words True and False, or any number (zero is false). Throws Failure
// ("Type mismatch") otherwise.
bool truthFrom(const QString& text, const QLocale& locale);

// A stored size text for a size box: as it was stored, unless it was written in a language with the
// other decimal mark ("0,5" kept in German, read in English), when it is rewritten to mean the same.
QString sizeTextFrom(const QString& text, const QLocale& locale);

} // namespace zorvik
