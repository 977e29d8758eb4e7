#ifndef PELMORA_WORKER_POOL_H
#define PELMORA_WORKER_POOL_H

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Threads started once and kept waiting for work, so a world's every update does not pay for starting
// and joining threads.
namespace pelmora {
namespace detail {

class WorkerPool {
public:
    WorkerPool() = default;
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Calls task(0) .. task(workers - 1) at once, task(0) on the calling thread, and returns when all have
    // returned. Threads are started the first time they are needed.
    void run(unsigned workers, const std::function<void(unsigned)>& task);

private:
    void serve(unsigned index);

    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable finished;
    std::vector<std::thread> threads;
    const std::function<void(unsigned)>* work = nullptr;
    unsigned helpers = 0; // threads taking part in the current round
    unsigned busy = 0;    // of those, the ones not yet finished
    std::uint64_t round = 0;
    bool stopping = false;
};

} // namespace detail
} // namespace pelmora

#endif
