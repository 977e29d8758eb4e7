#include "WorkerPool.h"

#include <pelmora/Runtime.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

namespace pelmora {

namespace {

bool meets(const Bounds& a, const Bounds& b) {
    return !a.empty && !b.empty && a.left <= b.right && b.left <= a.right && a.bottom <= b.top &&
           b.bottom <= a.top;
}

} // namespace

World::World() : pool(new detail::WorkerPool) {}

World::~World() = default;

std::uint32_t World::play(const Effect& effect, float x, float y, std::uint32_t seed) {
    if (effect.emitterCount() == 0) {
        return 0;
    }
    // Handles are not reused while live; 0 is skipped when the count wraps.
    while (nextHandle == 0 || find(nextHandle) != nullptr) {
        ++nextHandle;
    }
    Entry entry;
    entry.handle = nextHandle++;
    // Placed before it starts, so a prewarmed effect is run once, where it plays.
    entry.instance.reset(new Instance(effect, seed, x, y));
    entries.push_back(std::move(entry));
    return entries.back().handle;
}

Instance* World::find(std::uint32_t handle) {
    if (handle == 0) {
        return nullptr;
    }
    // Handles grow in play order, so the entries are sorted by handle until the count wraps.
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [handle](const Entry& entry) { return entry.handle == handle; });
    return found == entries.end() ? nullptr : found->instance.get();
}

bool World::stop(std::uint32_t handle) {
    Instance* instance = find(handle);
    if (instance) {
        instance->stop();
    }
    return instance != nullptr;
}

bool World::remove(std::uint32_t handle) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [handle](const Entry& entry) { return entry.handle == handle; });
    if (handle == 0 || found == entries.end()) {
        return false;
    }
    entries.erase(found);
    return true;
}

void World::update(double seconds, unsigned threads) {
    if (threads == 0) {
        threads = std::max(1u, std::thread::hardware_concurrency());
    }
    const std::size_t count = entries.size();
    const unsigned workers = static_cast<unsigned>(std::min<std::size_t>(threads, count));
    if (workers <= 1) {
        for (Entry& entry : entries) {
            entry.instance->update(seconds);
        }
    } else {
        // Each instance runs on its own from its own state, so which thread takes it changes nothing.
        // Threads take a few instances at a time, so uneven ones even out.
        struct Shares {
            std::vector<Entry>& entries;
            double seconds;
            std::size_t chunk;
            std::atomic<std::size_t> next;
        } shares{entries, seconds, std::max<std::size_t>(1, count / (8 * workers)), {0}};
        // One pointer captured: the task fits in the function object without an allocation.
        Shares* shared = &shares;
        const std::function<void(unsigned)> task = [shared](unsigned) {
            const std::size_t total = shared->entries.size();
            for (;;) {
                const std::size_t begin = shared->next.fetch_add(shared->chunk);
                if (begin >= total) {
                    return;
                }
                const std::size_t end = std::min(total, begin + shared->chunk);
                for (std::size_t i = begin; i < end; ++i) {
                    shared->entries[i].instance->update(shared->seconds);
                }
            }
        };
        pool->run(workers, task);
    }
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [](const Entry& entry) { return !entry.instance->alive(); }),
                  entries.end());
}

void World::setView(const Bounds& area) {
    view = area;
    viewSet = true;
}

void World::appendGeometry(Geometry& out) const {
    for (const Entry& entry : entries) {
        const Geometry::Mark mark = {out.vertices.size(), out.indices.size(), out.draws.size()};
        entry.instance->appendGeometry(out);
        if (viewSet && !meets(out.boundsSince(mark), view)) {
            out.truncate(mark);
        }
    }
}

std::size_t World::instanceCount() const {
    return entries.size();
}

std::size_t World::particleCount() const {
    std::size_t total = 0;
    for (const Entry& entry : entries) {
        total += entry.instance->particleCount();
    }
    return total;
}

} // namespace pelmora
