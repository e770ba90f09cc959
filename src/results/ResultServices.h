#pragma once

class QWidget;

namespace zorvik {

struct Services;

// Puts the real trash, file operations and clipboard into the services.
void installDefaultResultServices(Services& services, QWidget* dialogParent);

} // namespace zorvik
