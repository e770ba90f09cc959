#pragma once

namespace zorvik {

// Creates the application and its window, runs the start-up sequence and the event loop.
int runApplication(int argc, char** argv);

} // namespace zorvik
