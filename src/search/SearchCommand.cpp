// "Start Finding" / "Stop": the search run.
#include "shell/Form1.h"

namespace zorvik {

void Form1::PushButton1_Click() {}

} // namespace zorvik

#include "search/SearchServices.h"

namespace zorvik {
void installDefaultSearchServices(Services&) {}
} // namespace zorvik
