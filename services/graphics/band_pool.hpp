// band_pool.hpp -- the drawing threads: a small pool started once, one thread
// per core beside the caller's, that rasterises the bands of a frame.  The
// browser build has no threads: everything runs on the caller's.
#pragma once

#include <functional>

namespace band_pool {

// Runs job(band) for every band in [0, count), each exactly once, on the
// pool's threads and the caller's; returns when all have finished.  Bands
// must touch disjoint memory.
void Run(int count, const std::function<void(int band)>& job);

// Threads that draw, the caller's included (1: the caller's alone).
int Threads();
// At most this many drawing threads from now on (0: one per core).  A thread
// that cannot be started leaves its bands to the others.
void SetThreads(int count);

// CPU time the pool's own threads have spent drawing since the program
// started, milliseconds (the caller's share is in the caller's time).
double WorkerCpuMs();

}  // namespace band_pool
