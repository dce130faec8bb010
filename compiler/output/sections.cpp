#include "compiler/output/sections.h"

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/platform.h"

namespace zor::compiler {
namespace {

constexpr const char* kFileNames[kSectionCount] = {
    "$EC_TMP", "$SV_TMP", "$V__TMP", "$CE_TMP",  "$RP_TMP", "$AL_TMP",
    "$SP_TMP", "$PP_TMP", "$FP_TMP", "$RCP_TMP", "$TR_TMP",
};

constexpr Section kMergeOrder[kSectionCount] = {
    Section::rp, Section::al, Section::ce, Section::ec,  Section::sv, Section::dv,
    Section::sp, Section::pp, Section::fp, Section::rcp, Section::tr,
};

}  // namespace

const char* section_file_name(Section section) { return kFileNames[static_cast<int>(section)]; }

const char* SectionFiles::open() {
    for (int i = 0; i < kSectionCount; ++i)
        if (!files_[i].open(kFileNames[i])) return kFileNames[i];
    return nullptr;
}

void SectionFiles::write(Section section, const std::string& record_line) {
    files_[static_cast<int>(section)].write(record_line);
}

std::vector<WriteFailure> SectionFiles::close() {
    std::vector<WriteFailure> failures;
    for (auto& file : files_) file.close_into(failures);
    return failures;
}

std::vector<WriteFailure> merge_sections(const std::string& object_path) {
    TextFile object;
    if (!object.open_replacing(object_path)) return {{object_path, object.error()}};
    std::vector<char> buffer(1 << 16);
    for (Section section : kMergeOrder) {
        const char* name = section_file_name(section);
        std::FILE* in = platform::open_file(name, "rb");
        if (!in) continue;
        size_t n;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), in)) > 0)
            object.write_raw(std::string_view(buffer.data(), n));
        bool read_failed = std::ferror(in) != 0;
        int cause = errno;
        std::fclose(in);
        if (read_failed) {
            object.discard();
            return {{name, cause}};
        }
    }
    std::vector<WriteFailure> failures;
    object.close_into(failures);
    return failures;
}

}  // namespace zor::compiler
