#include "results/RowStore.h"

#include <QStringBuilder>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace zorvik {

namespace {

constexpr quint64 kBlockBits = 20; // 1 MiB blocks
constexpr quint64 kBlockSize = quint64(1) << kBlockBits;
constexpr int kOffsetBits = 40;
constexpr std::size_t kMostBlocks = std::size_t(1) << (kOffsetBits - kBlockBits);
constexpr quint64 kGenerationMask = (quint64(1) << (64 - kOffsetBits)) - 1;
constexpr qsizetype kLongestName = 0xFF;
constexpr qsizetype kLongestSizeText = 0x1FFF;
constexpr std::size_t kMostSizeStyles = 7;

// Orders two paths that each come in two pieces (folder prefix and name) by their bytes, as if each
// were joined: negative, zero or positive like memcmp.
int compareJoined(QByteArrayView a1, QByteArrayView a2, QByteArrayView b1, QByteArrayView b2) {
    for (;;) {
        if (a1.isEmpty() && !a2.isEmpty()) {
            a1 = a2;
            a2 = {};
        }
        if (b1.isEmpty() && !b2.isEmpty()) {
            b1 = b2;
            b2 = {};
        }
        if (a1.isEmpty() || b1.isEmpty())
            return a1.isEmpty() ? (b1.isEmpty() ? 0 : -1) : 1;
        const qsizetype n = std::min(a1.size(), b1.size());
        if (const int order = std::memcmp(a1.data(), b1.data(), std::size_t(n)))
            return order;
        a1 = a1.sliced(n);
        b1 = b1.sliced(n);
    }
}

} // namespace

RowStore::RowStore() = default;
RowStore::~RowStore() = default;

const char* RowStore::bytesAt(quint64 offset) const {
    return blocks_[offset >> kBlockBits].get() + (offset & (kBlockSize - 1));
}

quint64 RowStore::store(QByteArrayView name, QByteArrayView sizeText) {
    // At least one byte, so that every row starts at its own offset: the offset is the row's key.
    const quint64 length = std::max<quint64>(quint64(name.size() + sizeText.size()), 1);
    if (blocks_.empty() || used_ + length > kBlockSize) {
        if (blocks_.size() == kMostBlocks)
            throw std::length_error("the result list's byte store is full");
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
        used_ = 0;
    }
    char* at = blocks_.back().get() + used_;
    if (!name.isEmpty())
        std::memcpy(at, name.data(), std::size_t(name.size()));
    if (!sizeText.isEmpty())
        std::memcpy(at + name.size(), sizeText.data(), std::size_t(sizeText.size()));
    const quint64 offset = ((quint64(blocks_.size()) - 1) << kBlockBits) + used_;
    used_ += length;
    return offset;
}

quint32 RowStore::styleOf(const RowSizeText& sizeText) {
    if (sizeText.writer == nullptr)
        return 0;
    const auto same = [&](const SizeStyle& style) {
        return style.unit == sizeText.unit && style.writer == *sizeText.writer;
    };
    // Rows come in runs of one style, so the latest is the likeliest.
    for (std::size_t i = sizeStyles_.size(); i-- > 0;)
        if (same(sizeStyles_[i]))
            return quint32(i + 1);
    if (sizeStyles_.size() == kMostSizeStyles)
        return 0;
    sizeStyles_.push_back({*sizeText.writer, sizeText.unit});
    return quint32(sizeStyles_.size());
}

quint32 RowStore::folderFor(QByteArrayView prefix, const FolderFacts& facts) {
    // Matches arrive folder by folder, so only the latest folder is worth comparing with.
    if (prefixes_.empty() || QByteArrayView(prefixes_.back()) != prefix || folders_.back() != facts) {
        prefixes_.emplace_back(prefix.toByteArray());
        folders_.push_back(facts);
    }
    return quint32(prefixes_.size() - 1);
}

void RowStore::append(quint32 folder, QByteArrayView name, const RowSizeText& sizeText, quint64 bytes,
                      quint64 inode) {
    const quint32 style = styleOf(sizeText);
    SizeTextWriter::Buffer written;
    QByteArrayView size = sizeText.given;
    if (style == 0 && sizeText.writer != nullptr)
        size = sizeText.writer->utf8(bytes, sizeText.unit, written);
    if (style != 0)
        size = {};
    size.truncate(std::min(size.size(), kLongestSizeText));
    const quint64 offset = store(name, size);
    Row r{};
    r.bytes = Split64::of(bytes);
    r.inode = Split64::of(inode);
    r.offsetLow = quint32(offset);
    r.offsetHigh = quint32(offset >> 32);
    r.nameLength = quint32(name.size());
    r.sizeLength = quint32(size.size());
    r.sizeStyle = style;
    r.folder = folder;
    r.checked = 0;
    rows_.pushBack(r);
    if (identities_)
        identities_->added(*this, rows_.size() - 1);
}

void RowStore::add(const QByteArray& folderPath, QByteArrayView name, const RowSizeText& sizeText,
                   quint64 bytes, const RowOrigin& origin) {
    if (folderPath.endsWith('/')) {
        addPath(QByteArray(folderPath + name), sizeText, bytes, origin);
        return;
    }
    if (name.size() > kLongestName || name.contains('/')) {
        addPath(QByteArray(folderPath + '/' + name), sizeText, bytes, origin);
        return;
    }
    // Compare without building the prefix: the folder path plus its '/'.
    const FolderFacts facts{origin.id.device, origin.rootLength};
    if (prefixes_.empty() || prefixes_.back().size() != folderPath.size() + 1 ||
        !prefixes_.back().startsWith(folderPath) || folders_.back() != facts) {
        prefixes_.push_back(folderPath + '/');
        folders_.push_back(facts);
    }
    append(quint32(prefixes_.size() - 1), name, sizeText, bytes, origin.id.inode);
}

void RowStore::addPath(QByteArrayView path, const RowSizeText& sizeText, quint64 bytes,
                       const RowOrigin& origin) {
    needIdentityIndex();                       // a file put back may be met again by the search that runs
    qsizetype cut = path.lastIndexOf('/') + 1; // the prefix keeps its '/'
    if (path.size() - cut > kLongestName)
        cut = path.size();
    append(folderFor(path.first(cut), {origin.id.device, origin.rootLength}), path.sliced(cut), sizeText,
           bytes, origin.id.inode);
}

QByteArrayView RowStore::name(std::size_t row) const {
    const Row& r = rows_[row];
    return {bytesAt(r.offset()), qsizetype(r.nameLength)};
}

void RowStore::pathInto(std::size_t row, QByteArray& out) const {
    const QByteArrayView folder = folderPath(row);
    const QByteArrayView file = name(row);
    out.resize(0); // keeps the caller's capacity; views are copied, never shared
    out.reserve(folder.size() + file.size());
    out.append(folder);
    out.append(file);
}

QByteArrayView RowStore::sizeText(std::size_t row, SizeTextWriter::Buffer& buffer) const {
    const Row& r = rows_[row];
    if (r.sizeStyle != 0) {
        const SizeStyle& style = sizeStyles_[r.sizeStyle - 1];
        return style.writer.utf8(r.bytes.value(), style.unit, buffer);
    }
    return {bytesAt(r.offset()) + r.nameLength, qsizetype(r.sizeLength)};
}

bool RowStore::pathLess(std::size_t a, std::size_t b) const {
    const Row& ra = rows_[a];
    const Row& rb = rows_[b];
    const QByteArrayView nameA(bytesAt(ra.offset()), qsizetype(ra.nameLength));
    const QByteArrayView nameB(bytesAt(rb.offset()), qsizetype(rb.nameLength));
    if (ra.folder == rb.folder)
        return nameA < nameB;
    return compareJoined(prefixes_[ra.folder], nameA, prefixes_[rb.folder], nameB) < 0;
}

FileId RowStore::fileId(std::size_t row) const {
    const Row& r = rows_[row];
    return {folders_[r.folder].device, r.inode.value()};
}

FoundFile RowStore::foundFile(std::size_t row) const {
    const FolderFacts& folder = folders_[rows_[row].folder];
    FoundFile found;
    pathInto(row, found.path);
    const qsizetype ownFolder = std::max<qsizetype>(found.path.lastIndexOf('/'), 0);
    found.rootLength =
        folder.rootLength == RowOrigin::kOwnFolder ? ownFolder : std::min(folder.rootLength, ownFolder);
    found.id = fileId(row);
    return found;
}

quint64 RowStore::key(std::size_t row) const {
    return ((generation_ & kGenerationMask) << kOffsetBits) | rows_[row].offset();
}

std::optional<std::size_t> RowStore::rowOfKey(quint64 key) const {
    if (key >> kOffsetBits != (generation_ & kGenerationMask))
        return std::nullopt;
    // Rows are stored in the order of their offsets, and removals keep that order.
    const quint64 offset = key & ((quint64(1) << kOffsetBits) - 1);
    std::size_t low = 0;
    std::size_t high = rows_.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (rows_[middle].offset() < offset)
            low = middle + 1;
        else
            high = middle;
    }
    if (low < rows_.size() && rows_[low].offset() == offset && !isBuried(low))
        return low;
    return std::nullopt;
}

void RowStore::bury(std::size_t row) {
    if (isBuried(row))
        return;
    if (buried_.size() <= row)
        buried_.resize(row + 1);
    buried_[row] = true;
    ++buriedCount_;
}

void RowStore::erase(const std::vector<quint32>& ascendingRows) {
    if (ascendingRows.empty())
        return;
    std::size_t kept = ascendingRows.front();
    std::size_t next = 0;
    for (std::size_t i = kept; i < rows_.size(); ++i) {
        if (next < ascendingRows.size() && ascendingRows[next] == i) {
            buriedCount_ -= isBuried(i) ? 1 : 0;
            ++next;
            continue;
        }
        if (kept < buried_.size())
            buried_[kept] = isBuried(i);
        rows_[kept++] = rows_[i];
    }
    rows_.truncate(kept);
    buried_.resize(std::min(buried_.size(), kept));
    if (identities_)
        identities_->rebuild(*this);
}

std::vector<quint32> RowStore::eraseBuried() {
    std::vector<quint32> rows;
    rows.reserve(buriedCount_);
    for (std::size_t row = 0; row < buried_.size(); ++row)
        if (buried_[row])
            rows.push_back(quint32(row));
    erase(rows);
    return rows;
}

void RowStore::holdIdentityIndex() {
    ++identityHolds_;
    needIdentityIndex();
}

void RowStore::deferIdentityIndex() {
    if (identityHolds_ == 1 && rows_.size() == 0)
        identities_.reset();
}

void RowStore::needIdentityIndex() {
    if (identityHolds_ > 0 && !identities_)
        identities_.emplace().rebuild(*this);
}

void RowStore::releaseIdentityIndex() {
    if (--identityHolds_ == 0)
        identities_.reset();
}

std::optional<std::size_t> RowStore::rowOfFile(FileId id) const {
    return identities_ ? identities_->find(*this, id) : std::nullopt;
}

void RowStore::clear() {
    rows_.clear();
    std::vector<bool>().swap(buried_);
    buriedCount_ = 0;
    std::vector<QByteArray>().swap(prefixes_);
    std::vector<FolderFacts>().swap(folders_);
    sizeStyles_.clear();
    std::vector<std::unique_ptr<char[]>>().swap(blocks_);
    used_ = 0;
    ++generation_;
    if (identities_)
        identities_->rebuild(*this);
}

} // namespace zorvik
