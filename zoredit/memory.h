#pragma once
// The one heap behind ZorAllocMem/ZorFreeMem: every block the library hands
// out and every block a caller puts into a record comes from here.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zor::edit {

// Zero-filled; throws std::bad_alloc when memory runs out (the C layer turns
// that into a failure result).
void* alloc_block(size_t size);
void free_block(void* block);
char* dup_text(std::string_view text);

template <class T>
T* alloc_array(size_t count) {
    return static_cast<T*>(alloc_block(count * sizeof(T)));
}

}  // namespace zor::edit
