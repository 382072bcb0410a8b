#pragma once
// Handing work to the user-interface thread.
#include <functional>

namespace vlm {

// True on the thread that runs the application's event loop (or when there
// is no application object at all).
bool onUiThread();
// Runs fn on the user-interface thread and waits until it has returned. Called
// on that thread, it simply runs fn.
void runOnUiThread(const std::function<void()>& fn);

}  // namespace vlm
