#include "search/PrintSearch.h"

#include "core/PathParts.h"
#include "criteria/SizeDisplayText.h"
#include "platform/FileSystem.h"
#include "platform/PathStatus.h"
#include "results/ResultLineFormat.h"
#include "results/RowOrder.h"
#include "results/RowStore.h"
#include "search/FileIdSet.h"
#include "search/MatchesSize.h"
#include "search/ScanFolder.h"
#include "search/WalkRules.h"

#include <QLocale>

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

// The files found, kept for sorting at the end in the window's order: in the result list's own store,
// without their size texts, which are written at the end.
struct FoundFiles {
    RowStore rows;
    RowOrder order{rows};

    void add(const QByteArray& folderPath, const char* name, quint64 bytes) {
        rows.add(folderPath, QByteArrayView(name), {}, bytes, {});
        order.append(quint32(rows.size() - 1));
    }
    // As the window's first click on the column's header.
    void sort(PrintRequest::Order by) {
        if (by == PrintRequest::Order::Size)
            order.sort(RowOrder::SortKey::Size, Qt::DescendingOrder);
        else if (by == PrintRequest::Order::Path)
            order.sort(RowOrder::SortKey::Path, Qt::AscendingOrder);
    }
};

class PrintVisitor : public WalkVisitor {
public:
    PrintVisitor(const SizeTest& test, const ResultLineFormat& lines, bool sorted, bool oneListedFolder,
                 PrintOutput& output, PrintCounts& counts, FoundFiles& found)
        : test_(test), lines_(lines), sorted_(sorted), output_(output), counts_(counts), found_(found),
          writer_(QLocale::c()), noting_(oneListedFolder) {}

    void enterFolder(const QByteArray& /*path*/) override {
        ++counts_.folders;
        if (!output_.progress(counts_))
            throw OutputClosed();
    }
    void file(const QByteArray& folderPath, const char* name, quint64 bytes, FileId id,
              OtherPaths otherPaths) override {
        if (!test_.matches(bytes) || !firstMeeting(id, otherPaths))
            return;
        ++counts_.files;
        counts_.bytes.add(bytes);
        if (sorted_) {
            found_.add(folderPath, name, bytes);
            return;
        }
        if (folderPath != folder_) {
            folder_ = folderPath;
            // As joinPath(folderPath, {}), in storage kept from folder to folder.
            prefix_.resize(0);
            prefix_.append(folderPath);
            if (!prefix_.endsWith('/'))
                prefix_.append('/');
        }
        line_.resize(0); // keeps its capacity: no allocation per file
        lines_.append(line_, prefix_, QByteArrayView(name), bytes, sizeText(bytes));
        if (!output_.write(line_))
            throw OutputClosed();
    }
    void fileAhead(quint64 bytes, FileId id) override {
        if (test_.matches(bytes))
            printed_.prefetch(id);
    }
    bool beforeSubFolder() override { return true; }
    void folderLeftOut(const QByteArray& /*path*/) override { ++counts_.foldersLeftOut; }
    void folderSkipped(const QByteArray& path, const QString& reason) override {
        output_.problem(path, reason);
    }
    bool stillWaiting() override {
        if (!output_.progress(counts_))
            throw OutputClosed();
        return true;
    }

private:
    // A walk of one listed folder meets each file once, until a file that may have another path:
    // from then on each is looked up, those met before it included.
    bool firstMeeting(FileId id, OtherPaths otherPaths) {
        noting_ = noting_ && otherPaths == OtherPaths::None;
        if (!noting_)
            return printed_.insert(id);
        printed_.note(id);
        return true;
    }
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
    FileIdSet printed_;
    bool noting_; // no file met yet may have another path
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
    PrintVisitor visitor(test, lines, sorted, folders.size() == 1, output, outcome.counts, found);
    const auto rules = std::make_shared<const WalkRules>(request.skip, QList<QByteArray>(), test);
    try {
        if (!lines.header().isEmpty() && !output.write(lines.header()))
            throw OutputClosed();
        for (const QByteArray& path : folders) {
            try {
                FileSystem::Folder root = fileSystem.openFolder(path);
                if (readAhead.threads > 1)
                    readAheadScan(fileSystem, std::move(root), path, kIncludeSubFolders, visitor, readAhead,
                                  {}, rules);
                else
                    ScanFolder(fileSystem, std::move(root), path, kIncludeSubFolders, visitor, rules);
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
            for (std::size_t position = 0; position < found.order.size(); ++position) {
                const quint32 row = found.order.rowAt(position);
                const quint64 bytes = found.rows.bytes(row);
                line.resize(0);
                lines.append(line, found.rows.folderPath(row), found.rows.name(row), bytes,
                             writer.utf8(bytes, test.unit(), sizeText));
                if (!output.write(line))
                    throw OutputClosed();
            }
        }
    } catch (const OutputClosed&) {
        outcome.outputClosed = true;
    }
    return outcome;
}

} // namespace zorvik
