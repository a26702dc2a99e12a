#pragma once
#include <functional>

namespace port {

// A process-wide pool of threads for long-running work items: a readerless
// port borrows one for its reader loop, an idle thread is reused.
bool QueueLongRunningWork(std::function<void()> work);

}  // namespace port
