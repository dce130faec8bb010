// Fuzz target for the object file reader: whatever the bytes, reading must
// not crash, hang or read out of bounds; what it accepts must survive being
// written as an object file and read again, and every record view of it
// must build and free cleanly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "zoredit/fil_reader.h"
#include "zoredit/records.h"
#include "zoredit/source_writer.h"
#include "zoredit/store.h"
#include "zoredit/testing/fil_writer.h"

namespace {

template <class Def, class Rec>
void view_all(const zor::edit::Table<Def>& t, const zor::edit::Store& s) {
    for (const auto& e : t.entries()) {
        Rec r;
        zor::edit::fill_record(e.def, e.deleted, s, &r);
        zor::edit::free_record(&r);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zor::edit;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Equipment eq;
    std::string error;
    if (!read_fil(bytes, eq, error)) return 0;
    Equipment again;
    if (!read_fil(write_fil(eq), again, error) || !(again == eq)) std::abort();
    Store s;
    s.load(std::move(eq));
    view_all<Variable, TV_INFO>(s.ec, s);
    view_all<Variable, TV_INFO>(s.sv, s);
    view_all<Variable, TV_INFO>(s.dv, s);
    view_all<Event, TCE_INFO>(s.ce, s);
    view_all<Report, TRP_INFO>(s.rp, s);
    view_all<Alarm, TAL_INFO>(s.al, s);
    view_all<ProcessProgram, TPP_INFO>(s.pp, s);
    view_all<FormattedProgram, TFPP_INFO>(s.fp, s);
    view_all<Recipe, TRCP_INFO>(s.rc, s);
    view_all<Trace, TTRACE_INFO>(s.tr, s);
    std::string source;
    write_source(s, source, error);
    return 0;
}
