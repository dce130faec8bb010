#pragma once
// Writes the held definitions as definition source text that ZorCompile
// compiles back into the same object file.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "zoredit/store.h"

namespace zor::edit {

// The source text of every live definition, CR LF line ends. False with the
// reason (naming the definition) when one cannot be written.
bool write_source(const Store& store, std::string& out, std::string& error);

// One definition's block as write_source writes it, appended to `out`
// (CR LF line ends, a blank line after the closing brace, no REV_NO line).
// `kind` picks the variable block; `stream` is the number a spool is written
// with (its byte, or that plus a multiple of 256). False with the reason
// when the definition cannot be written.
template <class Def>
bool write_block(const Def& def, Kind kind, int32_t stream, std::string& out, std::string& error);

// The number write_source writes the `lap`th spool (from 0) of stream byte
// `byte` with: the compiler keys spools by the number as written and refuses
// 0, so 256 stands for stream 0 and a repeated byte goes one lap of 256 higher.
int32_t written_stream(int32_t byte, int lap);

// The fields the compiler splits that block's lines into: the name, and per
// item line the key, ":" and the value fields (quotes removed).
struct BlockFields {
    std::string name;
    std::vector<std::vector<std::string>> items;
};
template <class Def>
bool block_fields(const Def& def, Kind kind, int32_t stream, BlockFields& out);

// The revision a variable's block must be compiled in: 1 for LEND, 2 for a
// list with element names, 0 when either gives the same definition.
int needed_revision(const Variable& v);

// Replaces `path` by `text` as platform::ReplacingFile does, keeping the
// previous file as `path` + ".bak"; false with the reason in `error`.
bool replace_file(const std::string& path, const std::string& text, std::string& error);

}  // namespace zor::edit
