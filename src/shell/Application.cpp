#include "shell/Application.h"

#include "platform/QtDialogs.h"
#include "shell/Form1.h"
#include "shell/Services.h"

#include <QApplication>

namespace zorvik {

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    auto dialogs = std::make_shared<QtDialogs>();
    Form1 form(makeRealServices(dialogs));
    dialogs->setParentWindow(&form);
    dialogs->setSuppressed([&form] { return form.isClosing(); });
    form.Form_Load();
    form.show();
    return app.exec();
}

} // namespace zorvik
