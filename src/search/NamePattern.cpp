#include "search/NamePattern.h"

#include <cstring>

namespace zorvik {

namespace {

bool isWildcard(char c) {
    return c == '*' || c == '?' || c == '[' || c == '\\';
}

bool hasWildcard(const char* from, const char* to) {
    for (const char* at = from; at != to; ++at)
        if (isWildcard(*at))
            return true;
    return false;
}

} // namespace

NamePattern::NamePattern(const QByteArray& pattern) : pattern_(pattern) {
    const char* begin = pattern_.constData();
    const char* end = begin + pattern_.size();
    // Most patterns are a name or an ending: those compare as bytes, without the general matcher.
    if (!hasWildcard(begin, end)) {
        kind_ = Kind::Exact;
        literal_ = pattern_;
    } else if (pattern_.size() > 1 && *begin == '*' && !hasWildcard(begin + 1, end)) {
        kind_ = Kind::Suffix;
        literal_ = pattern_.sliced(1);
    }
}

bool NamePattern::matches(const char* name, std::size_t length) const {
    const auto literalLength = std::size_t(literal_.size());
    switch (kind_) {
    case Kind::Exact:
        return length == literalLength && std::memcmp(name, literal_.constData(), length) == 0;
    case Kind::Suffix:
        return length >= literalLength &&
               std::memcmp(name + length - literalLength, literal_.constData(), literalLength) == 0;
    case Kind::Glob:
        break;
    }
    return globMatches(name, length);
}

std::size_t NamePattern::setEnd(std::size_t at, unsigned char byte, bool& inSet) const {
    const auto size = std::size_t(pattern_.size());
    const auto* p = reinterpret_cast<const unsigned char*>(pattern_.constData());
    std::size_t i = at + 1;
    const bool negated = i < size && (p[i] == '!' || p[i] == '^');
    if (negated)
        ++i;
    // One byte of the set, escaped or not; `i` moves past it.
    auto take = [&] {
        if (p[i] == '\\' && i + 1 < size)
            ++i;
        return p[i++];
    };
    bool found = false;
    for (bool first = true; i < size && (first || p[i] != ']'); first = false) {
        const unsigned char low = take();
        unsigned char high = low;
        if (i + 1 < size && p[i] == '-' && p[i + 1] != ']') {
            ++i;
            high = take();
        }
        found = found || (low <= byte && byte <= high);
    }
    if (i >= size)
        return at; // no "]": the "[" stands for itself
    inSet = found != negated;
    return i + 1;
}

std::size_t NamePattern::step(std::size_t at, unsigned char byte, bool& same) const {
    const auto size = std::size_t(pattern_.size());
    const char* p = pattern_.constData();
    const char c = p[at];
    if (c == '?') {
        same = true;
        return at + 1;
    }
    if (c == '[') {
        const std::size_t end = setEnd(at, byte, same);
        if (end != at)
            return end;
    }
    if (c == '\\' && at + 1 < size) {
        same = static_cast<unsigned char>(p[at + 1]) == byte;
        return at + 2;
    }
    same = static_cast<unsigned char>(c) == byte;
    return at + 1;
}

bool NamePattern::globMatches(const char* name, std::size_t length) const {
    const auto size = std::size_t(pattern_.size());
    const char* p = pattern_.constData();
    std::size_t pi = 0;
    std::size_t ni = 0;
    // The last "*" seen and the name's position it stands at: on a mismatch it takes one byte more.
    constexpr auto kNoStar = std::size_t(-1);
    std::size_t starPattern = kNoStar;
    std::size_t starName = 0;
    while (ni < length) {
        if (pi < size && p[pi] == '*') {
            starPattern = ++pi;
            starName = ni;
            continue;
        }
        bool same = false;
        const std::size_t next = pi < size ? step(pi, static_cast<unsigned char>(name[ni]), same) : pi;
        if (same) {
            pi = next;
            ++ni;
            continue;
        }
        if (starPattern == kNoStar)
            return false;
        pi = starPattern;
        ni = ++starName;
    }
    while (pi < size && p[pi] == '*')
        ++pi;
    return pi == size;
}

NamePatterns::NamePatterns(const std::vector<QByteArray>& patterns) {
    patterns_.reserve(patterns.size());
    for (const QByteArray& pattern : patterns)
        patterns_.emplace_back(pattern);
}

bool NamePatterns::matchesAny(const char* name) const {
    const std::size_t length = std::strlen(name);
    for (const NamePattern& pattern : patterns_)
        if (pattern.matches(name, length))
            return true;
    return false;
}

} // namespace zorvik
