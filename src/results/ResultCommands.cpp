// "Clear Results", and the real services of the result commands.
#include "shell/Form1.h"

#include "platform/GioTrash.h"
#include "platform/PosixFileOperations.h"
#include "platform/QtClipboard.h"
#include "results/ResultList.h"
#include "results/ResultServices.h"
#include "shell/Steps.h"

using namespace Qt::StringLiterals;

namespace zorvik {

void Form1::PushButton6_Click() {
    auto s = steps(u"PushButton6_Click"_s);
    s->run(100, [&] { results->clear(); });
}

void installDefaultResultServices(Services& services, QWidget*) {
    services.trash = std::make_shared<GioTrash>();
    services.fileOperations = std::make_shared<PosixFileOperations>();
    services.clipboard = std::make_shared<QtClipboard>();
}

} // namespace zorvik
