#include <pelmora/Runtime.h>

#include <algorithm>
#include <thread>

namespace pelmora {

namespace {

bool meets(const Bounds& a, const Bounds& b) {
    return !a.empty && !b.empty && a.left <= b.right && b.left <= a.right && a.bottom <= b.top &&
           b.bottom <= a.top;
}

} // namespace

World::World() = default;

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
    entry.instance.reset(new Instance(effect, seed));
    entry.instance->setPosition(x, y);
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
    const std::size_t workers = std::min<std::size_t>(threads, count);
    // Each instance runs on its own from its own state, so how they are shared out changes nothing.
    auto run = [this, seconds](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            entries[i].instance->update(seconds);
        }
    };
    if (workers <= 1) {
        run(0, count);
    } else {
        std::vector<std::thread> pool;
        pool.reserve(workers - 1);
        for (std::size_t w = 1; w < workers; ++w) {
            pool.emplace_back(run, count * w / workers, count * (w + 1) / workers);
        }
        run(0, count / workers);
        for (std::thread& thread : pool) {
            thread.join();
        }
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
