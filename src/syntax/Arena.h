#pragma once
// A bump allocator for the nodes, lists and texts of one syntax tree.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace Syntax {

/// Hands out memory by moving a pointer through chunks; frees everything at once when
/// destroyed. What lives in it must not need a destructor. Large chunks are kept for the
/// next arenas (up to 64 MiB in all): memory fresh from the kernel has to be cleared first,
/// which for a large tree takes a tenth of the time it takes to parse it.
class Arena
{
public:
    /// expected: about how many bytes will be asked for (sizes the first chunk).
    explicit Arena(std::size_t expected);
    ~Arena();
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    /// size bytes aligned to align (a power of two, at most alignof(std::max_align_t)).
    void* allocate(std::size_t size, std::size_t align)
    {
        // Sizes are rounded up to 8, so that the next allocation is aligned for anything up
        // to 8 bytes without more arithmetic.
        size = (size + (Granule - 1)) & ~(Granule - 1);
        if (align > Granule || size > std::size_t(m_end - m_pos)) [[unlikely]]
            return allocateSlowly(size, align);
        char* p = m_pos;
        m_pos += size;
        return p;
    }

    /// Uninitialised room for n objects of T.
    template <class T> T* allocateArray(std::size_t n)
    {
        return static_cast<T*>(allocate(n * sizeof(T), alignof(T)));
    }

private:
    static constexpr std::size_t Granule = 8;

    void* allocateSlowly(std::size_t size, std::size_t align);
    void* allocateInNewChunk(std::size_t size, std::size_t align);

    struct Chunk
    {
        char* memory = nullptr;
        std::size_t size = 0;
    };

    std::vector<Chunk> m_chunks;
    char* m_pos = nullptr;
    char* m_end = nullptr;
    std::size_t m_nextChunk;
};

} // namespace Syntax
