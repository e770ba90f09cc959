#pragma once

namespace zorvik {

struct Services;

// Puts the real file-system access of the search into the services.
void installDefaultSearchServices(Services& services);

} // namespace zorvik
