#include "compiler/output/object_record.h"

#include <gtest/gtest.h>

namespace zor::compiler {
namespace {

TEST(ObjectRecord, JoinsTaggedFieldsWithoutSeparators) {
    ObjectRecord r("SV: ");
    r.text("NAME", "TEMP1").value("ID  ", 1001).byte("FORM", 44).value("SIZE", 1).value("MSIZ", 0);
    r.text("UNIT", "C").text("EVNT", "E1").text("EVNT", "E2");
    EXPECT_EQ(r.line(),
              "SV: NAME00000005TEMP1ID  000003e9FORM0000002cSIZE00000001MSIZ00000000"
              "UNIT00000001CEVNT00000002E1EVNT00000002E2\n");
}

TEST(ObjectRecord, NegativeValuesAreTwosComplementAndBytesKeepLowBits) {
    ObjectRecord r("SP: ");
    r.value("ID  ", -1).byte("STRE", 300).byte("FUNC", -1);
    EXPECT_EQ(r.line(), "SP: ID  ffffffffSTRE0000002cFUNC000000ff\n");
}

TEST(ObjectRecord, TextLengthCountsBytesAndMayBeEmpty) {
    ObjectRecord r("AL: ");
    r.text("ALTX", "\x89\xb7\x93\x78").text("ENAB", "");
    EXPECT_EQ(r.line(),
              "AL: ALTX00000004\x89\xb7\x93\x78"
              "ENAB00000000\n");
}

}  // namespace
}  // namespace zor::compiler
