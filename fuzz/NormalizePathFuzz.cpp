// The path rule on any text: what happens to runs of separators, and that nothing else changes.
#include "FuzzCheck.h"
#include "folders/NormalizePath.h"

#include <QString>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;
using zorvik::fuzz::visible;

namespace {

// A text seen as its other characters plus the runs of separators between them: each run is told by
// how many other characters stand before it and how long it is.
struct Shape {
    QString others;
    std::vector<std::pair<qsizetype, qsizetype>> runs; // (other characters before, length)
    bool operator==(const Shape&) const = default;
};

Shape shapeOf(const QString& text, QChar separator) {
    Shape shape;
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] != separator) {
            shape.others += text[i++];
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && text[i] == separator)
            ++i;
        shape.runs.emplace_back(shape.others.size(), i - start);
    }
    return shape;
}

bool startsWith(const QString& text, QChar separator) {
    return !text.isEmpty() && text.front() == separator;
}

qsizetype longestInnerRun(const Shape& shape, bool leading) {
    qsizetype longest = 0;
    for (std::size_t i = leading ? 1 : 0; i < shape.runs.size(); ++i)
        longest = std::max(longest, shape.runs[i].second);
    return longest;
}

void checkRule(const QString& path, QString (*normalize)(const QString&), QChar separator, int leadingRun) {
    const QString once = normalize(path);
    const Shape before = shapeOf(path, separator);
    const Shape after = shapeOf(once, separator);
    const bool leading = startsWith(path, separator);
    const QString detail = visible(path) + u" -> "_s + visible(once);

    // Every other character stays, in its order, and the runs stay between the same characters.
    FUZZ_CHECK(after.others == before.others, detail);
    FUZZ_CHECK(after.runs.size() == before.runs.size(), detail);
    FUZZ_CHECK(startsWith(once, separator) == leading, detail);
    for (std::size_t i = 0; i < before.runs.size(); ++i) {
        FUZZ_CHECK(after.runs[i].first == before.runs[i].first, detail);
        // A leading run becomes exactly the rule's; any other run of n becomes n/2 rounded up.
        const qsizetype expected =
            leading && i == 0 ? qsizetype(leadingRun) : (before.runs[i].second + 1) / 2;
        FUZZ_CHECK(after.runs[i].second == expected, detail);
    }

    // Only a leading run shorter than the rule's can make the path longer.
    const qsizetype growth = leading ? std::max<qsizetype>(0, leadingRun - before.runs[0].second) : 0;
    FUZZ_CHECK(once.size() <= path.size() + growth, detail);

    // A second pass changes nothing exactly when no doubled separator is left inside the path; runs
    // of three or more need further passes, at most one per halving of the longest run.
    const QString twice = normalize(once);
    const qsizetype longestLeft = longestInnerRun(after, leading);
    FUZZ_CHECK((twice == once) == (longestLeft <= 1), detail + u" -> "_s + visible(twice));
    QString settled = once;
    const int passes = int(std::bit_width(std::size_t(longestLeft))) + 1;
    for (int pass = 0; pass < passes; ++pass)
        settled = normalize(settled);
    FUZZ_CHECK(normalize(settled) == settled, detail + u" never settles"_s);
    FUZZ_CHECK(longestInnerRun(shapeOf(settled, separator), leading) <= 1, visible(settled));
    FUZZ_CHECK(shapeOf(settled, separator).others == before.others, visible(settled));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A leading 'U' makes the rest UTF-16, which reaches every code unit, lone surrogates too;
    // anything else is read as UTF-8 path text, the way a picked folder arrives.
    QString path;
    if (size > 0 && data[0] == 'U') {
        std::u16string units((size - 1) / 2, u'\0');
        std::memcpy(units.data(), data + 1, units.size() * sizeof(char16_t));
        path = QString::fromStdU16String(units);
    } else {
        path = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    }

    checkRule(path, zorvik::NormalizePath, u'/', 1);
    checkRule(path, zorvik::NormalizeWindowsPath, u'\\', 2);
    return 0;
}
