#pragma once
// The limits of the definition language, shared by the compiler and zoredit.

#include <cstddef>

namespace zor::textscan {

// Definitions of one kind: each kind keeps this many IDs and names.
inline constexpr size_t kMaxDefinitions = 8192;
// Entries of one list within a definition (events, limits, reports, ...).
inline constexpr size_t kMaxListEntries = 256;
// One read of a source line takes at most this many characters; a longer
// physical line comes in several pieces.
inline constexpr size_t kMaxLinePiece = 4095;
// A line splits into at most this many fields of at most this many bytes.
inline constexpr int kMaxFields = 16;
inline constexpr int kMaxFieldLength = 4096;

}  // namespace zor::textscan
