#include "shell/Application.h"

#include "platform/QtDialogs.h"
#include "shell/Form1.h"

#include <QApplication>

namespace zorvik {

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    Services services = defaultServices();
    Form1 form(services);
    if (auto* dialogs = dynamic_cast<QtDialogs*>(services.dialogs.get())) {
        dialogs->setParentWindow(&form);
        dialogs->setSuppressed([&form] { return form.isClosing(); });
    }
    form.Form_Load();
    form.show();
    return app.exec();
}

} // namespace zorvik
