#include "search/PrintSearch.h"

#include "core/PathParts.h"
#include "platform/FileSystem.h"
#include "platform/PathStatus.h"
#include "results/ResultLineFormat.h"
#include "search/MatchesSize.h"
#include "search/ScanFolder.h"
#include "search/SizeDisplayText.h"

#include <QLocale>

#include <algorithm>
#include <cstring>
#include <vector>

namespace zorvik {

namespace {

// Thrown through the walk when nobody reads the output any more; the walk's workers are joined on
// the way out.
struct OutputClosed {};

ResultLineFormat lineFormatOf(const PrintRequest& request) {
    switch (request.format) {
    case PrintRequest::Format::Csv:
        return ResultLineFormat::csv();
    case PrintRequest::Format::Json:
        return ResultLineFormat::jsonLines();
    case PrintRequest::Format::Text:
        break;
    }
    return ResultLineFormat::text(request.nulEnds ? QByteArrayView("\0", 1) : QByteArrayView("\n"));
}

// The files found, kept for sorting: each folder's path once, and per file its name and size.
class FoundFiles {
public:
    void add(const QByteArray& prefix, const char* name, quint64 bytes) {
        if (prefixes_.empty() || prefixes_.back() != prefix)
            prefixes_.push_back(prefix);
        const auto length = qsizetype(std::strlen(name));
        files_.push_back({quint32(prefixes_.size() - 1), names_.size(), length, bytes});
        names_.append(name, length);
    }

    void sort(PrintRequest::Order order) {
        if (order == PrintRequest::Order::Size)
            std::stable_sort(files_.begin(), files_.end(),
                             [](const File& a, const File& b) { return a.bytes > b.bytes; });
        else if (order == PrintRequest::Order::Path)
            std::stable_sort(files_.begin(), files_.end(),
                             [this](const File& a, const File& b) { return pathLess(a, b); });
    }

    // Calls `write(prefix, name, bytes)` for every file in the list's order; stops at a false answer.
    template <typename Write> void forEach(const Write& write) const {
        for (const File& file : files_)
            if (!write(prefixes_[file.prefix], name(file), file.bytes))
                return;
    }

private:
    struct File {
        quint32 prefix;
        qsizetype nameOffset;
        qsizetype nameLength;
        quint64 bytes;
    };

    QByteArrayView name(const File& file) const {
        return QByteArrayView(names_).sliced(file.nameOffset, file.nameLength);
    }

    // Byte order of the whole paths, compared piece by piece without joining them.
    bool pathLess(const File& a, const File& b) const {
        if (a.prefix == b.prefix)
            return name(a) < name(b);
        const QByteArrayView first[2] = {prefixes_[a.prefix], name(a)};
        const QByteArrayView second[2] = {prefixes_[b.prefix], name(b)};
        int i = 0;
        int j = 0;
        qsizetype at = 0;
        qsizetype bt = 0;
        for (;;) {
            while (i < 2 && at == first[i].size()) {
                ++i;
                at = 0;
            }
            while (j < 2 && bt == second[j].size()) {
                ++j;
                bt = 0;
            }
            if (i == 2 || j == 2)
                return i == 2 && j < 2;
            const qsizetype n = std::min(first[i].size() - at, second[j].size() - bt);
            if (const int c = std::memcmp(first[i].data() + at, second[j].data() + bt, std::size_t(n));
                c != 0)
                return c < 0;
            at += n;
            bt += n;
        }
    }

    std::vector<QByteArray> prefixes_; // folder paths ending in '/'
    QByteArray names_;
    std::vector<File> files_;
};

class PrintVisitor : public WalkVisitor {
public:
    PrintVisitor(const SizeTest& test, const ResultLineFormat& lines, bool sorted, PrintOutput& output,
                 PrintCounts& counts, FoundFiles& found)
        : test_(test), lines_(lines), sorted_(sorted), output_(output), counts_(counts), found_(found),
          writer_(QLocale::c()) {}

    void enterFolder(const QByteArray& /*path*/) override {
        ++counts_.folders;
        if (!output_.progress(counts_))
            throw OutputClosed();
    }
    void file(const QByteArray& folderPath, const char* name, quint64 bytes, FileId) override {
        if (!test_.matches(bytes))
            return;
        ++counts_.files;
        counts_.bytes.add(bytes);
        if (folderPath != folder_) {
            folder_ = folderPath;
            prefix_ = joinPath(folderPath, {});
        }
        if (sorted_) {
            found_.add(prefix_, name, bytes);
            return;
        }
        line_.resize(0); // keeps its capacity: no allocation per file
        lines_.append(line_, prefix_, QByteArrayView(name), bytes, sizeText(bytes));
        if (!output_.write(line_))
            throw OutputClosed();
    }
    bool beforeSubFolder() override { return true; }
    void folderSkipped(const QByteArray& path, const QString& reason) override {
        output_.problem(path, reason);
    }
    bool stillWaiting() override {
        if (!output_.progress(counts_))
            throw OutputClosed();
        return true;
    }

private:
    QByteArrayView sizeText(quint64 bytes) {
        return lines_.showsSizeText() ? writer_.utf8(bytes, test_.unit(), sizeText_) : QByteArrayView();
    }

    const SizeTest& test_;
    const ResultLineFormat& lines_;
    const bool sorted_;
    PrintOutput& output_;
    PrintCounts& counts_;
    FoundFiles& found_;
    SizeTextWriter writer_;
    SizeTextWriter::Buffer sizeText_;
    QByteArray folder_; // of the last match, and its path with the '/' before names
    QByteArray prefix_;
    QByteArray line_;
};

} // namespace

PrintOutcome printSearch(FileSystem& fileSystem, const PrintRequest& request, PrintOutput& output,
                         const ReadAheadOptions& readAhead) {
    constexpr bool kIncludeSubFolders = true;
    PrintOutcome outcome;
    // A folder named wrongly is said at once, not after a long walk of the ones before it.
    QList<QByteArray> folders;
    for (const QByteArray& folder : request.folders) {
        if (const std::optional<QString> problem = folderProblem(folder)) {
            output.problem(folder, *problem);
            outcome.listedFolderFailed = true;
        } else {
            folders.append(folder);
        }
    }

    const SizeTest test(request.condition, QLocale::c());
    const ResultLineFormat lines = lineFormatOf(request);
    const bool sorted = request.order != PrintRequest::Order::Found;
    FoundFiles found;
    PrintVisitor visitor(test, lines, sorted, output, outcome.counts, found);
    try {
        if (!lines.header().isEmpty() && !output.write(lines.header()))
            throw OutputClosed();
        for (const QByteArray& path : folders) {
            try {
                FileSystem::Folder root = fileSystem.openFolder(path);
                if (readAhead.threads > 1)
                    readAheadScan(fileSystem, std::move(root), path, kIncludeSubFolders, visitor, readAhead);
                else
                    ScanFolder(fileSystem, std::move(root), path, kIncludeSubFolders, visitor);
            } catch (const FileSystemFailure& failure) {
                // The listed folder itself could not be opened or listed (below it the walk skips).
                output.problem(path, failure.description());
                outcome.listedFolderFailed = true;
            }
        }
        if (sorted) {
            found.sort(request.order);
            SizeTextWriter writer(QLocale::c());
            SizeTextWriter::Buffer sizeText;
            QByteArray line;
            bool open = true;
            found.forEach([&](QByteArrayView prefix, QByteArrayView name, quint64 bytes) {
                line.resize(0);
                lines.append(line, prefix, name, bytes, writer.utf8(bytes, test.unit(), sizeText));
                open = output.write(line);
                return open;
            });
            if (!open)
                throw OutputClosed();
        }
    } catch (const OutputClosed&) {
        outcome.outputClosed = true;
    }
    return outcome;
}

} // namespace zorvik
