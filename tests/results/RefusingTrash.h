#pragma once

#include "platform/FreedesktopTrash.h"

#include <QString>

#include <set>

namespace zorvik::test {

// The real trash (in the test's own data folder), refusing the files named here.
class RefusingTrash : public FreedesktopTrash {
public:
    std::set<QByteArray> refuse;
    std::optional<QString> trashEntry(int folder, const QByteArray& name, const FileId& id,
                                      const QByteArray& path, Receipt* receipt) override {
        if (refuse.count(name))
            return QStringLiteral("Permission denied");
        return FreedesktopTrash::trashEntry(folder, name, id, path, receipt);
    }
};

} // namespace zorvik::test
