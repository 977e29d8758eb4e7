#include "WorkerPool.h"

namespace pelmora {
namespace detail {

WorkerPool::~WorkerPool() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    for (std::thread& thread : threads) {
        thread.join();
    }
}

void WorkerPool::run(unsigned workers, const std::function<void(unsigned)>& task) {
    if (workers <= 1) {
        task(0);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        while (threads.size() < workers - 1) {
            threads.emplace_back(&WorkerPool::serve, this, static_cast<unsigned>(threads.size()));
        }
        work = &task;
        helpers = workers - 1;
        busy = helpers;
        ++round;
    }
    wake.notify_all();
    task(0);
    std::unique_lock<std::mutex> lock(mutex);
    finished.wait(lock, [this] { return busy == 0; });
    work = nullptr;
}

void WorkerPool::serve(unsigned index) {
    std::uint64_t seen = 0;
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        wake.wait(lock, [this, seen] { return stopping || round != seen; });
        if (stopping) {
            return;
        }
        seen = round;
        if (index >= helpers) {
            continue;
        }
        const std::function<void(unsigned)>& task = *work;
        lock.unlock();
        task(index + 1);
        lock.lock();
        if (--busy == 0) {
            finished.notify_one();
        }
    }
}

} // namespace detail
} // namespace pelmora
