#include "FormFixture.h"

namespace zorvik::test {

void FormFixture::customise(Services& s) {
    const Services real = makeRealServices(nullptr);
    s.fileSystem = real.fileSystem;
    s.trash = real.trash;
    s.fileOperations = real.fileOperations;
    s.clipboard = clipboard;
    s.desktop = desktop;
}

} // namespace zorvik::test
