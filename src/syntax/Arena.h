#pragma once
// A bump allocator for the nodes, lists and texts of one syntax tree.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace Syntax {

/// Hands out memory by moving a pointer through chunks; frees everything at once when
/// destroyed. What lives in it must not need a destructor.
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
        const std::uintptr_t p =
            (reinterpret_cast<std::uintptr_t>(m_pos) + (align - 1)) & ~std::uintptr_t(align - 1);
        if (p + size > reinterpret_cast<std::uintptr_t>(m_end)) [[unlikely]]
            return allocateInNewChunk(size, align);
        m_pos = reinterpret_cast<char*>(p + size);
        return reinterpret_cast<char*>(p);
    }

    /// Uninitialised room for n objects of T.
    template <class T> T* allocateArray(std::size_t n)
    {
        return static_cast<T*>(allocate(n * sizeof(T), alignof(T)));
    }

private:
    void* allocateInNewChunk(std::size_t size, std::size_t align);

    struct Free
    {
        void operator()(char* p) const;
    };

    std::vector<std::unique_ptr<char[], Free>> m_chunks;
    char* m_pos = nullptr;
    char* m_end = nullptr;
    std::size_t m_nextChunk;
};

} // namespace Syntax
