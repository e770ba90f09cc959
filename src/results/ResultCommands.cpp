// The commands that work on the result list.
#include "shell/Form1.h"

namespace zorvik {

void Form1::PushButton2_Click() {}
void Form1::PushButton4_Click() {}
void Form1::PushButton6_Click() {}
void Form1::PushButton8_Click() {}
void Form1::PushButton10_Click() {}
void Form1::PushButton11_Click() {}
void Form1::PushButton17_Click() {}

} // namespace zorvik

#include "results/ResultServices.h"

namespace zorvik {
void installDefaultResultServices(Services&, QWidget*) {}
} // namespace zorvik
