#include "criteria/NumberReading.h"

#include <QCoreApplication>

#include <charconv>
#include <cmath>
#include <string>

namespace zorvik {

std::optional<double> toNumber(const QString& text, const QLocale& locale) {
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    // "inf" and "nan" are no sizes a user can mean.
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QString> withOtherDecimalMark(const QString& text, const QLocale& locale) {
    const QString mark = locale.decimalPoint();
    if ((mark != u"." && mark != u",") || isNumeric(text, locale))
        return std::nullopt;
    QString swapped = text;
    for (QChar& c : swapped) {
        if (c == u'.')
            c = u',';
        else if (c == u',')
            c = u'.';
    }
    if (!isNumeric(swapped, locale))
        return std::nullopt;
    return swapped;
}

QString decimalMarkHint(const QString& text, const QLocale& locale) {
    if (!withOtherDecimalMark(text, locale))
        return {};
    return locale.decimalPoint() == u","
               ? QCoreApplication::translate("zorvik::NumberReading",
                                             "Use a comma (,) as the decimal separator.")
               : QCoreApplication::translate("zorvik::NumberReading",
                                             "Use a point (.) as the decimal separator.");
}

double leadingNumber(const QString& text) {
    std::string digits; // the ASCII characters of the number, blanks left out
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r'))
            ++i;
    };
    auto takeDigits = [&] {
        bool any = false;
        for (skipBlanks(); i < n && text[i] >= u'0' && text[i] <= u'9'; skipBlanks()) {
            digits += static_cast<char>(text[i++].unicode());
            any = true;
        }
        return any;
    };

    skipBlanks();
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        digits += static_cast<char>(text[i++].unicode());
    bool mantissa = takeDigits();
    if (i < n && text[i] == u'.') {
        digits += '.';
        ++i;
        mantissa = takeDigits() || mantissa;
    }
    if (!mantissa)
        return 0.0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        const std::string beforeExponent = digits;
        const qsizetype exponentStart = i;
        digits += 'e';
        ++i;
        skipBlanks();
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            digits += static_cast<char>(text[i++].unicode());
        if (!takeDigits()) {
            digits = beforeExponent;
            i = exponentStart;
        }
    }
    // from_chars ignores the C locale, which Qt sets from the environment; it takes no leading '+'.
    const char* first = digits.data();
    if (*first == '+')
        ++first;
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, digits.data() + digits.size(), value);
    (void)end;
    return error == std::errc() && std::isfinite(value) ? value : 0.0;
}

} // namespace zorvik
