#include "folders/StoredSearchOptions.h"

#include "core/Failure.h"
#include "criteria/StoredValues.h"
#include "platform/SettingsStore.h"

#include <QByteArrayView>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

const QString kSkipNames = u"SkipNames"_s;
const QString kOnlyNames = u"OnlyNames"_s;
const QString kOneFileSystem = u"OneFileSystem"_s;
const QString kSkipCaches = u"SkipCaches"_s;
const QString kSkipKernelFileSystems = u"SkipKernelFileSystems"_s;

// The length of the valid UTF-8 sequence at `at`, or 0 when the byte there does not start one.
qsizetype utf8SequenceAt(const QByteArray& bytes, qsizetype at) {
    const auto lead = quint8(bytes[at]);
    const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || at + length > bytes.size())
        return 0;
    return QByteArrayView(bytes).sliced(at, length).isValidUtf8() ? length : 0;
}

bool keptAsIs(quint8 byte) {
    return byte >= 0x20 && byte < 0x7F && byte != '%' && byte != '/';
}

QByteArray escapedPattern(const QByteArray& pattern) {
    QByteArray text;
    for (qsizetype at = 0; at < pattern.size();) {
        const auto byte = quint8(pattern[at]);
        if (byte >= 0x80) {
            if (const qsizetype length = utf8SequenceAt(pattern, at)) {
                text += pattern.sliced(at, length);
                at += length;
                continue;
            }
        }
        if (keptAsIs(byte))
            text += char(byte);
        else
            text += '%' + QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
        ++at;
    }
    return text;
}

int hexDigit(const QByteArray& text, qsizetype at) {
    if (at >= text.size())
        return -1;
    const char c = text[at];
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<QByteArray> unescapedPattern(const QByteArray& text) {
    QByteArray pattern;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] != '%') {
            pattern += text[at];
            continue;
        }
        const int high = hexDigit(text, at + 1);
        const int low = hexDigit(text, at + 2);
        if (high < 0 || low < 0)
            return std::nullopt;
        pattern += char(high * 16 + low);
        at += 2;
    }
    return pattern;
}

bool readTruth(const SettingsStore& settings, const QString& key, bool fallback, const QLocale& locale) {
    try {
        return truthFrom(settings.read(key, fallback ? u"True"_s : u"False"_s), locale);
    } catch (const Failure&) {
        return fallback;
    }
}

std::vector<QByteArray> readPatterns(const SettingsStore& settings, const QString& key) {
    return patternListFrom(settings.read(key, QString())).value_or(std::vector<QByteArray>{});
}

QString truthText(bool value) {
    return value ? u"True"_s : u"False"_s;
}

} // namespace

QString patternListText(const std::vector<QByteArray>& patterns) {
    QByteArrayList escaped;
    for (const QByteArray& pattern : patterns)
        escaped << escapedPattern(pattern);
    return QString::fromUtf8(escaped.join('/'));
}

std::optional<std::vector<QByteArray>> patternListFrom(const QString& text) {
    std::vector<QByteArray> patterns;
    if (text.isEmpty())
        return patterns;
    for (const QByteArray& part : text.toUtf8().split('/')) {
        std::optional<QByteArray> pattern = unescapedPattern(part);
        if (!pattern || pattern->isEmpty())
            return std::nullopt;
        patterns.push_back(std::move(*pattern));
    }
    return patterns;
}

SearchOptions readSearchOptions(const SettingsStore& settings, const QLocale& locale) {
    const SearchOptions defaults;
    SearchOptions options;
    options.excludedNames = readPatterns(settings, kSkipNames);
    options.onlyNames = readPatterns(settings, kOnlyNames);
    options.oneFileSystem = readTruth(settings, kOneFileSystem, defaults.oneFileSystem, locale);
    options.excludeCaches = readTruth(settings, kSkipCaches, defaults.excludeCaches, locale);
    options.skipKernelFileSystems =
        readTruth(settings, kSkipKernelFileSystems, defaults.skipKernelFileSystems, locale);
    return options;
}

void writeSearchOptions(SettingsStore& settings, const SearchOptions& options) {
    settings.write(kSkipNames, patternListText(options.excludedNames));
    settings.write(kOnlyNames, patternListText(options.onlyNames));
    settings.write(kOneFileSystem, truthText(options.oneFileSystem));
    settings.write(kSkipCaches, truthText(options.excludeCaches));
    settings.write(kSkipKernelFileSystems, truthText(options.skipKernelFileSystems));
}

} // namespace zorvik
