#pragma once
// Taking a record back: what the record shows is compared with what the held
// definition would show, and whatever did not change keeps its held form
// (texts as written, names that resolve to nothing, entries an editor does
// not show).

#include <algorithm>
#include <cstddef>
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

// `held` are the held entries, `held_view` what a record shows of each,
// `incoming` what the record carries now. An incoming entry equal to an
// unused held one (the one at the same place first) keeps the held entry;
// others are made by `make`. When an editor could show only the first
// `cap` entries, the held entries past them were never seen and so never
// edited: nothing that came back can be one of them, and they all stay
// behind whatever came back, in order.
template <class Raw, class View, class Make>
std::vector<Raw> merge_list(const std::vector<Raw>& held, const std::vector<View>& held_view,
                            const std::vector<View>& incoming, size_t cap, Make make) {
    const bool capped = held.size() > cap && incoming.size() <= cap;
    if (capped && incoming.size() == cap &&
        std::equal(incoming.begin(), incoming.end(), held_view.begin()))
        return held;
    const size_t shown = capped ? cap : held.size();
    std::vector<bool> used(shown, false);
    std::vector<Raw> out;
    out.reserve(incoming.size() + held.size() - shown);
    for (size_t i = 0; i < incoming.size(); ++i) {
        size_t match = shown;
        if (i < shown && !used[i] && held_view[i] == incoming[i]) match = i;
        for (size_t j = 0; match == shown && j < shown; ++j)
            if (!used[j] && held_view[j] == incoming[i]) match = j;
        if (match < shown) {
            used[match] = true;
            out.push_back(held[match]);
        } else {
            out.push_back(make(incoming[i], i));
        }
    }
    out.insert(out.end(), held.begin() + static_cast<std::ptrdiff_t>(shown), held.end());
    return out;
}

// A text with its format and sizes. `form` 0 or 16 (what an editor always
// sends) keeps the held format; `length` is the item size the record
// carries (an editor sends the text's length).
TextItem merge_text_item(const TextItem* held, std::string_view text, int32_t form, int32_t length);

// The maximum size that goes with a new size, so that the source form the
// held pair came from ([N], [N..M] or the bare name) is kept.
int32_t merge_max_size(bool held_same_form, int32_t held_size, int32_t held_msize, int form,
                       int32_t size);

// Enable texts: T/E/Y/ON and non-zero numbers are 1, F/D/N/OFF and 0 are 0.
int32_t enable_value(const std::optional<std::string>& text);
// The held text when it still says `value`, else TRUE or FALSE.
std::optional<std::string> merge_enable(const std::optional<std::string>* held, int32_t value);

}  // namespace zor::edit
