#include "compiler/output/output_paths.h"

#include <gtest/gtest.h>

namespace zor::compiler {
namespace {

TEST(OutputPaths, ReplaceTheExtensionOfTheFileNameOnly) {
    EXPECT_EQ(derive_output_paths("eq/tool.txt").object, "eq/tool.fil");
    EXPECT_EQ(derive_output_paths("/home/a.b/tool.txt").object, "/home/a.b/tool.fil");
    EXPECT_EQ(derive_output_paths("/home/a.b/tool").object, "/home/a.b/tool.fil");
    EXPECT_EQ(derive_output_paths("tool.v2.txt").h, "tool.v2.h");
    EXPECT_EQ(derive_output_paths("dir/.hidden").cs, "dir/.hidden.cs");
    OutputPaths p = derive_output_paths("x.TXT");
    EXPECT_EQ(p.bas, "x.bas");
    EXPECT_EQ(p.vb, "x.vb");
}

}  // namespace
}  // namespace zor::compiler
