#include "search/WalkRules.h"

namespace zorvik {

namespace {

constexpr char kCacheTagName[] = "CACHEDIR.TAG";
constexpr char kCacheTagSignature[] = "Signature: 8a477f597d28d172789f06886806bc55";

} // namespace

WalkRules::WalkRules(const SkipRules& rules, const QList<QByteArray>& skippedFolders,
                     const std::optional<SizeTest>& sizes)
    : excluded_(rules.excludedNames), onlyNames_(rules.onlyNames),
      skipped_(skippedFolders.begin(), skippedFolders.end()),
      sizes_(sizes && !sizes->fails() ? sizes : std::nullopt), oneFileSystem_(rules.oneFileSystem),
      excludeCaches_(rules.excludeCaches), skipKernelFileSystems_(rules.skipKernelFileSystems) {}

bool WalkRules::coversListedFolder(QByteArrayView path) const {
    for (const QByteArray& skipped : skipped_) {
        // "/" covers everything; "/a" covers "/a" and "/a/b", not "/ab".
        const bool below = path.startsWith(skipped) && (path.size() == skipped.size() ||
                                                        skipped.endsWith('/') || path[skipped.size()] == '/');
        if (below)
            return true;
    }
    return false;
}

WalkRules::Verdict WalkRules::judgeOpened(FileSystem& fileSystem, FileSystem::Handle folder,
                                          std::uint64_t parentDevice, std::uint64_t rootDevice,
                                          bool onRootsMount) const {
    // On the listed folder's mount the parent is too: no kernel's file system begins here.
    const bool asks = needsDevice() && !(onRootsMount && needsDeviceOnlyAcrossMounts());
    const std::uint64_t device = asks ? fileSystem.identify(folder).device : parentDevice;
    if (oneFileSystem_ && device != rootDevice)
        return {device, true};
    // Only a change of device can be a change of file system: one statfs per mount, not per folder.
    if (skipKernelFileSystems_ && device != parentDevice && fileSystem.isKernelFileSystem(folder))
        return {device, true};
    const bool cache =
        excludeCaches_ &&
        isCacheTag(fileSystem.readFileStart(folder, kCacheTagName, qsizetype(sizeof kCacheTagSignature) - 1));
    return {device, cache};
}

const std::shared_ptr<const WalkRules>& WalkRules::none() {
    static const auto kNone = std::make_shared<const WalkRules>();
    return kNone;
}

bool isCacheTag(QByteArrayView start) {
    return start == QByteArrayView(kCacheTagSignature);
}

} // namespace zorvik
