// band_pool.cpp -- a persistent pool of drawing threads.  Each Run hands out
// bands through one counter; the caller draws bands too, so a pool whose
// threads could not start still finishes every band.
#include "services/graphics/band_pool.hpp"

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
#define BODGER_DRAW_THREADS 0
#else
#define BODGER_DRAW_THREADS 1
#include <time.h>

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#endif

namespace band_pool {
namespace {

#if BODGER_DRAW_THREADS

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) * 1e-6;
}

class TPool {
   public:
    ~TPool() { Resize(0); }

    int Workers() const { return int(threads_.size()); }

    // Starts or stops workers until there are `count` (fewer if a thread
    // cannot be started).
    void Resize(int count) {
        if (count < int(threads_.size())) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                quit_ = true;
                ++generation_;
            }
            wake_.notify_all();
            for (std::thread& t : threads_) t.join();
            threads_.clear();
            quit_ = false;
        }
        while (int(threads_.size()) < count) {
            try {
                threads_.emplace_back([this, seen = generation_] { Work(seen); });
            } catch (const std::system_error&) {
                break;  // drawing goes on with the threads there are
            }
        }
    }

    void Run(int count, const std::function<void(int)>& job) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            job_ = &job;
            count_ = count;
            next_.store(0);
            busy_ = int(threads_.size());
            ++generation_;
        }
        wake_.notify_all();
        Drain(job, count);
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [this] { return busy_ == 0; });
        job_ = nullptr;
    }

    double CpuMs() const { return double(cpu_ns_.load()) * 1e-6; }

   private:
    void Drain(const std::function<void(int)>& job, int count) {
        for (int band = next_.fetch_add(1); band < count; band = next_.fetch_add(1)) job(band);
    }

    void Work(unsigned seen) {
        for (;;) {
            const std::function<void(int)>* job = nullptr;
            int count = 0;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                wake_.wait(lock, [&] { return generation_ != seen; });
                seen = generation_;
                if (quit_) return;
                job = job_;
                count = count_;
            }
            const double begin = ThreadCpuMs();
            if (job) Drain(*job, count);
            cpu_ns_.fetch_add(static_cast<long long>((ThreadCpuMs() - begin) * 1e6));
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (--busy_ == 0) done_.notify_one();
            }
        }
    }

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    unsigned generation_ = 0;
    bool quit_ = false;
    const std::function<void(int)>* job_ = nullptr;
    int count_ = 0;
    int busy_ = 0;  // workers still in the current run
    std::atomic<int> next_{0};
    std::atomic<long long> cpu_ns_{0};
};

struct TSettings {
    int wanted = 0;  // 0: one per core
    std::unique_ptr<TPool> pool;
};

TSettings& Settings() {
    static TSettings settings;
    return settings;
}

int WantedThreads() {
    const int wanted = Settings().wanted;
    if (wanted > 0) return wanted;
    // Asked once: the answer is read from the system's files.
    static const int cores = std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    return cores;
}

TPool& Pool() {
    TSettings& s = Settings();
    if (!s.pool) {
        s.pool = std::make_unique<TPool>();
        s.pool->Resize(WantedThreads() - 1);
    }
    return *s.pool;
}

#endif

}  // namespace

void Run(int count, const std::function<void(int band)>& job) {
#if BODGER_DRAW_THREADS
    if (count > 1 && WantedThreads() > 1) {
        TPool& pool = Pool();
        if (pool.Workers() > 0) {
            pool.Run(count, job);
            return;
        }
    }
#endif
    for (int band = 0; band < count; ++band) job(band);
}

int Threads() {
#if BODGER_DRAW_THREADS
    return WantedThreads() > 1 ? Pool().Workers() + 1 : 1;
#else
    return 1;
#endif
}

void SetThreads(int count) {
#if BODGER_DRAW_THREADS
    if (Settings().wanted == std::max(count, 0) && Settings().pool) return;
    Settings().wanted = std::max(count, 0);
    if (Settings().pool) Settings().pool->Resize(WantedThreads() - 1);
#else
    (void)count;
#endif
}

double WorkerCpuMs() {
#if BODGER_DRAW_THREADS
    return Settings().pool ? Settings().pool->CpuMs() : 0.0;
#else
    return 0.0;
#endif
}

}  // namespace band_pool
