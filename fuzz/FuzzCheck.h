#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace zorvik::fuzz {

// A broken property ends the run like a crash, so libFuzzer keeps the input that broke it.
[[noreturn]] inline void fail(const char* file, int line, const char* property, const QString& detail) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, property);
    if (!detail.isEmpty())
        std::fprintf(stderr, "  %s\n", detail.toUtf8().constData());
    std::abort();
}

// The text with its non-printing and non-ASCII characters as \u escapes, for the report of a failure.
inline QString visible(const QString& text) {
    QString result;
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'\\')
            result += c;
        else
            result += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return u'"' + result + u'"';
}

} // namespace zorvik::fuzz

#define FUZZ_CHECK(condition, detail)                                                                        \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            ::zorvik::fuzz::fail(__FILE__, __LINE__, #condition, (detail));                                  \
    } while (false)
