// SPDX-License-Identifier: GPL-3.0-or-later
// Owns every record of one kind for the life of the state that holds it.
// Records are linked by raw pointers; an unlinked record stays owned here, so a
// party member that still shares an unlinked attack never dangles.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

namespace pc {

template <typename T>
class Arena {
public:
    Arena() = default;
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;
    ~Arena()
    {
        for (Block& block : blocks_)
            std::destroy_n(block.at(0), block.used);
    }

    // A new value-initialised record; its address never changes. Records are
    // made in blocks, so a large roster costs few allocations.
    T* make()
    {
        if (blocks_.empty() || blocks_.back().used == kBlock)
            blocks_.push_back({std::make_unique_for_overwrite<Bytes>(), 0});
        Block& block = blocks_.back();
        T* item = ::new (static_cast<void*>(block.at(block.used))) T();
        ++block.used;
        ++size_;
        return item;
    }
    std::size_t size() const { return size_; }

    // Takes over every record of `other` (made on another thread, say); their addresses stay.
    void adopt(Arena&& other)
    {
        for (Block& block : other.blocks_)
            blocks_.insert(blocks_.end() - (blocks_.empty() ? 0 : 1), std::move(block));
        size_ += other.size_;
        other.blocks_.clear();
        other.size_ = 0;
    }

private:
    static constexpr std::size_t kBlock = 64;
    struct Bytes {
        alignas(T) std::byte bytes[kBlock * sizeof(T)];
    };
    struct Block {
        std::unique_ptr<Bytes> storage;
        std::size_t used;

        T* at(std::size_t i) { return reinterpret_cast<T*>(storage->bytes) + i; }
    };

    std::vector<Block> blocks_;
    std::size_t size_ = 0;
};

} // namespace pc
