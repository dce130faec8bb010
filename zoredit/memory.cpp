#include "zoredit/memory.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "zoredit/zoredit.h"

namespace zor::edit {

void* alloc_block(size_t size) {
    void* block = std::calloc(size == 0 ? 1 : size, 1);
    if (!block) throw std::bad_alloc();
    return block;
}

void free_block(void* block) { std::free(block); }

char* dup_text(std::string_view text) {
    char* copy = static_cast<char*>(alloc_block(text.size() + 1));
    std::memcpy(copy, text.data(), text.size());
    return copy;
}

}  // namespace zor::edit

extern "C" {

void* ZorAllocMem(int size) { return std::calloc(size <= 0 ? 1 : static_cast<size_t>(size), 1); }

void ZorFreeMem(void* block) { std::free(block); }

void* ZorMemSet(void* block, int value, int size) {
    if (block && size > 0) std::memset(block, value, static_cast<size_t>(size));
    return block;
}

}  // extern "C"
