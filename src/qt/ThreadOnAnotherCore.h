#pragma once

#include <pthread.h>

namespace sumwise::qt {

// Starts `job(argument)` on a new thread for a short job that the calling thread will wait
// for. A new thread is first queued on the core of the thread that made it, and while that
// one stays busy it waits there until the scheduler moves it: about 2 ms on a virtual
// machine, a third of the job it was made for. So it is placed on another core the process
// may use, and once it runs it may move anywhere, as any thread. With one core it starts as
// usual. Returns false, having started nothing, where no thread can be had.
bool StartOnAnotherCore(pthread_t& thread, void* (*job)(void*), void* argument);

} // namespace sumwise::qt
