// Owns every record of one kind for the life of the state that holds it.
// Records are linked by raw pointers; an unlinked record stays owned here, so a
// party member that still shares an unlinked attack never dangles.
#pragma once

#include <cstddef>
#include <deque>

namespace pc {

template <typename T>
class Arena {
public:
    // A new value-initialised record; its address never changes.
    T* make() { return &items_.emplace_back(); }
    std::size_t size() const { return items_.size(); }

private:
    std::deque<T> items_;
};

} // namespace pc
