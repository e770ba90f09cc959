#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace zorvik {

// The locale-aware conversion of a whole text to a number: the locale's decimal symbol and group
// separator, an optional sign and exponent, blanks around the number. The empty text is not a number.
std::optional<double> toNumber(const QString& text, const QLocale& locale);
inline bool isNumeric(const QString& text, const QLocale& locale) {
    return toNumber(text, locale).has_value();
}

// The number that a text starts with, used to keep the two bounds of "Between" in order: blanks,
// tabs and line feeds are ignored wherever they stand, "." is the decimal point in every locale,
// reading stops at the first character that cannot continue the number, and no number reads as 0.
double leadingNumber(const QString& text);

// A text the locale refuses as it stands but reads with "." and "," swapped ("0,5" in English, "1.5" in
// German): the swapped text, which means what the text meant where it was written. None for any other
// text, and in a locale whose decimal mark is neither of the two.
std::optional<QString> withOtherDecimalMark(const QString& text, const QLocale& locale);

// For a text that reads only with the other decimal mark, the sentence that names the locale's mark;
// empty otherwise.
QString decimalMarkHint(const QString& text, const QLocale& locale);

} // namespace zorvik
