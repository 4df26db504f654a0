#include "syntax/Arena.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <new>

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

namespace Syntax {

namespace {

constexpr std::size_t MinChunk = 4096;
// Large chunks are whole 2 MiB pages, which Linux may back with huge pages: a big tree then
// costs a few page faults instead of thousands.
constexpr std::size_t HugePage = std::size_t(2) << 20;
constexpr std::size_t MaxChunk = 4 * HugePage;

// Large chunks of arenas that are gone, for the next ones.
class ChunkPool
{
public:
    // Never destroyed: an arena may outlive the static objects.
    static ChunkPool& instance()
    {
        static auto* pool = new ChunkPool;
        return *pool;
    }

    // A kept chunk of size bytes, or null.
    char* take(std::size_t size)
    {
        const std::lock_guard lock(m_mutex);
        for (auto it = m_chunks.begin(); it != m_chunks.end(); ++it) {
            if (it->second == size) {
                char* memory = it->first;
                m_chunks.erase(it);
                m_bytes -= size;
                return memory;
            }
        }
        return nullptr;
    }

    // Keeps the chunk, or frees it when the pool is full.
    void give(char* memory, std::size_t size)
    {
        {
            const std::lock_guard lock(m_mutex);
            if (m_bytes + size <= Limit) {
                m_chunks.emplace_back(memory, size);
                m_bytes += size;
                return;
            }
        }
        std::free(memory);
    }

private:
    static constexpr std::size_t Limit = std::size_t(64) << 20;
    std::mutex m_mutex;
    std::vector<std::pair<char*, std::size_t>> m_chunks;
    std::size_t m_bytes = 0;
};

} // namespace

Arena::Arena(std::size_t expected)
    : m_nextChunk(expected < MinChunk   ? MinChunk
                  : expected > MaxChunk ? MaxChunk
                                        : expected)
{}

Arena::~Arena()
{
    for (const Chunk& chunk : m_chunks) {
        if (chunk.size >= HugePage)
            ChunkPool::instance().give(chunk.memory, chunk.size);
        else
            std::free(chunk.memory);
    }
}

void* Arena::allocateSlowly(std::size_t size, std::size_t align)
{
    if (align > Granule) {
        const std::uintptr_t p =
            (reinterpret_cast<std::uintptr_t>(m_pos) + (align - 1)) & ~std::uintptr_t(align - 1);
        if (m_pos && p + size <= reinterpret_cast<std::uintptr_t>(m_end)) {
            // Keep m_pos a multiple of the granule.
            m_pos = reinterpret_cast<char*>(p + size);
            return reinterpret_cast<char*>(p);
        }
    }
    return allocateInNewChunk(size, align);
}

void* Arena::allocateInNewChunk(std::size_t size, std::size_t align)
{
    std::size_t chunk = std::max(size + align, m_nextChunk);
    char* memory = nullptr;
    if (chunk >= HugePage) {
        chunk = (chunk + HugePage - 1) & ~(HugePage - 1);
        memory = ChunkPool::instance().take(chunk);
        if (!memory) {
            memory = static_cast<char*>(std::aligned_alloc(HugePage, chunk));
#ifdef Q_OS_LINUX
            if (memory)
                madvise(memory, chunk, MADV_HUGEPAGE);
#endif
        }
    } else {
        memory = static_cast<char*>(std::malloc(chunk));
    }
    if (!memory)
        throw std::bad_alloc();
    m_chunks.push_back({memory, chunk});
    m_pos = memory;
    m_end = memory + chunk;
    m_nextChunk = std::min(chunk * 2, MaxChunk);
    return allocate(size, align);
}

} // namespace Syntax
