// CSV cells as RFC 4180 quotes them, and the files of one small equipment:
// byte order mark, header, CR LF records, a list as lines of one cell.
#include "inspect/export_csv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "zoredit/fil_reader.h"

namespace zor::inspect {
namespace {

TEST(CsvField, QuotesOnlyWhatNeedsItAndDoublesQuotes) {
    EXPECT_EQ(csv_field("SV_TEMP"), "SV_TEMP");
    EXPECT_EQ(csv_field(""), "");
    EXPECT_EQ(csv_field("a b;c\\d"), "a b;c\\d");
    EXPECT_EQ(csv_field("1,000"), "\"1,000\"");
    EXPECT_EQ(csv_field("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csv_field("\""), "\"\"\"\"");
    EXPECT_EQ(csv_field("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(csv_field("cr\rend"), "\"cr\rend\"");
    EXPECT_EQ(csv_field("\r\n"), "\"\r\n\"");
}

std::string read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(ExportCsv, WritesEveryKindWithItsHeaderEvenWhenEmpty) {
    edit::Equipment eq;
    std::string error;
    ASSERT_TRUE(
        edit::read_fil("RP: NAME00000004RP_AID  0000000bVNAM00000002V1VNAM00000004V_NO\r\n"
                       "SV: NAME00000002V1ID  00000001FORM0000002cSIZE00000001MSIZ00000000\r\n",
                       eq, error))
        << error;
    Snapshot snapshot(eq);
    auto dir = std::filesystem::temp_directory_path() / "zor_export_csv_test";
    std::filesystem::remove_all(dir);
    ASSERT_TRUE(export_csv(DefinitionFields(snapshot), (dir / "out").string(), error)) << error;
    EXPECT_EQ(read(dir / "out" / "rp.csv"),
              "\xEF\xBB\xBFid,name,variables\r\n11,RP_A,\"V1 (1)\nV_NO (not defined)\"\r\n");
    EXPECT_EQ(read(dir / "out" / "sv.csv"),
              "\xEF\xBB\xBFid,name,format,format_code,size,max_size,units,min,max,nominal,limits,"
              "events,elements\r\n1,V1,U4,44,1,0,,,,,,,\r\n");
    EXPECT_EQ(read(dir / "out" / "trace.csv"),
              "\xEF\xBB\xBFid,name,id_format,id_format_code,id_size,id_max_size,period,"
              "total_samples,group_size,variables\r\n");

    // A directory that cannot be made is reported, not passed over.
    std::ofstream(dir / "file") << "x";
    EXPECT_FALSE(export_csv(DefinitionFields(snapshot), (dir / "file" / "sub").string(), error));
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zor::inspect
