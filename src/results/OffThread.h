#pragma once

#include "core/BlockingCall.h"
#include "core/CommandHost.h"

#include <chrono>
#include <functional>
#include <utility>

namespace zorvik {

// Runs one file-system call of a result command on a worker thread and waits for it while the window
// goes on: the user-interface thread itself never makes a call that a share which stopped answering
// could hold for ever. When the window is closed meanwhile, ApplicationClosing goes up as from any
// yield and the call is left behind, its late result seen by nobody.
//
// Ownership (see core/BlockingCall.h): `call` owns what it touches, by value or shared_ptr, and never
// touches the window, the result list or the dialogs; what it returns is handed back whole.
template <typename T> T waitOffThread(CommandHost& host, std::function<T()> call) {
    // Long enough that a quick call (a rename, a few megabytes written) never yields at all.
    constexpr std::chrono::milliseconds kWaitSlice(20);
    return *waitWhileYielding<T>(std::move(call), {}, kWaitSlice, [&host] {
        host.yieldWhileWaiting();
        return true;
    });
}

} // namespace zorvik
