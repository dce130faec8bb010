#pragma once
// Taking a record back: what the record shows is compared with what the held
// definition would show, and whatever did not change keeps its held form
// (texts as written, names that resolve to nothing, entries an editor does
// not show).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zoredit/model.h"

namespace zor::edit {

inline constexpr size_t kNoCap = static_cast<size_t>(-1);

// How many entries of a list each editor shows and so sends back.
struct ShownCaps {
    static constexpr size_t limits = 4;
    static constexpr size_t sv_ceids = 3;
    static constexpr size_t ce_reports = 1023;
    static constexpr size_t report_vids = 32;
    static constexpr size_t trace_svids = 32;
    static constexpr size_t fpp_codes = 4;
    static constexpr size_t fpp_params = 4;
    static constexpr size_t recipe_params = 6;
};

// Which shown held entry each incoming entry is, or `shown` for none: the
// longest run of entries common to both in the same order is matched first,
// so the entries that stayed keep their order among each other (element
// names that all read as ID 0 are not swapped by an insert before them);
// an incoming entry left over then takes an unused held one equal to it (a
// moved entry keeps its written form).
template <class View>
std::vector<size_t> match_entries(const std::vector<View>& held_view, size_t shown,
                                  const std::vector<View>& incoming) {
    const size_t n = incoming.size();
    std::vector<size_t> match(n, shown);
    std::vector<bool> used(shown, false);
    // A common head and tail need no table; an edit changes little between.
    size_t head = 0;
    while (head < n && head < shown && held_view[head] == incoming[head]) {
        match[head] = head;
        used[head] = true;
        ++head;
    }
    size_t tail = 0;
    while (tail < n - head && tail < shown - head &&
           held_view[shown - 1 - tail] == incoming[n - 1 - tail]) {
        match[n - 1 - tail] = shown - 1 - tail;
        used[shown - 1 - tail] = true;
        ++tail;
    }
    const size_t rows = n - head - tail, cols = shown - head - tail;
    if (rows > 0 && cols > 0) {
        // Longest common subsequence of the middles, lengths from the back.
        std::vector<uint32_t> len((rows + 1) * (cols + 1), 0);
        auto at = [&](size_t i, size_t j) -> uint32_t& { return len[i * (cols + 1) + j]; };
        for (size_t i = rows; i-- > 0;)
            for (size_t j = cols; j-- > 0;)
                at(i, j) = incoming[head + i] == held_view[head + j]
                               ? at(i + 1, j + 1) + 1
                               : std::max(at(i + 1, j), at(i, j + 1));
        for (size_t i = 0, j = 0; i < rows && j < cols;) {
            if (incoming[head + i] == held_view[head + j]) {
                match[head + i] = head + j;
                used[head + j] = true;
                ++i, ++j;
            } else if (at(i + 1, j) >= at(i, j + 1)) {
                ++i;
            } else {
                ++j;
            }
        }
    }
    for (size_t i = 0; i < n; ++i) {
        if (match[i] != shown) continue;
        for (size_t j = 0; j < shown; ++j)
            if (!used[j] && held_view[j] == incoming[i]) {
                match[i] = j;
                used[j] = true;
                break;
            }
    }
    return match;
}

// `held` are the held entries, `held_view` what a record shows of each,
// `incoming` what the record carries now. An incoming entry matched to a
// held one (match_entries) keeps the held entry; others are made by
// `make`. When an editor could show only the first `cap` entries, the held
// entries past them were never seen and so never edited: nothing that came
// back can be one of them, and they all stay behind whatever came back, in
// order.
template <class Raw, class View, class Make>
std::vector<Raw> merge_list(const std::vector<Raw>& held, const std::vector<View>& held_view,
                            const std::vector<View>& incoming, size_t cap, Make make) {
    const bool capped = held.size() > cap && incoming.size() <= cap;
    if (capped && incoming.size() == cap &&
        std::equal(incoming.begin(), incoming.end(), held_view.begin()))
        return held;
    const size_t shown = capped ? cap : held.size();
    const std::vector<size_t> match = match_entries(held_view, shown, incoming);
    std::vector<Raw> out;
    out.reserve(incoming.size() + held.size() - shown);
    for (size_t i = 0; i < incoming.size(); ++i)
        out.push_back(match[i] < shown ? held[match[i]] : make(incoming[i], i));
    out.insert(out.end(), held.begin() + static_cast<std::ptrdiff_t>(shown), held.end());
    return out;
}

// A text with its format and sizes. `form` 0 or 16 (what an editor always
// sends) keeps the held format; `length` is the item size the record
// carries (an editor sends the text's length). The sizes of an A or J item
// follow its text; those of any other format count elements and stay.
TextItem merge_text_item(const TextItem* held, std::string_view text, int32_t form, int32_t length);

// merge_text_item, and a changed or new text that is no value of the
// item's format (text_fits_format) refused: false, with the reason naming
// `what` and the format.
bool take_text_item(const TextItem* held, std::string_view text, int32_t form, int32_t length,
                    std::string_view what, TextItem& out, std::string& error);

// The maximum size that goes with a new size, so that the source form the
// held pair came from ([N], [N..M] or the bare name) is kept.
int32_t merge_max_size(bool held_same_form, int32_t held_size, int32_t held_msize, int form,
                       int32_t size);

// Enable texts: T/E/Y/ON and non-zero numbers are 1, F/D/N/OFF and 0 are 0.
int32_t enable_value(const std::optional<std::string>& text);
// The held text when it still says `value`, else TRUE or FALSE.
std::optional<std::string> merge_enable(const std::optional<std::string>* held, int32_t value);

}  // namespace zor::edit
