// POSIX paths in Location: only '/' separates names.
#include <gtest/gtest.h>

#include <string>

#include "IO/Location.hpp"

namespace {

TEST(PathSyntax, ABackslashIsPartOfAName) {
    IO::Location location(GS::UniString("/x/a\\b", GS::CC_UTF8));
    IO::Name name;
    ASSERT_EQ(location.GetLastLocalName(&name), NoError);
    EXPECT_EQ(name.ToString().ToCStr(GS::CC_UTF8), "a\\b");
    EXPECT_EQ(location.AppendToLocal(IO::Name("c\\d")), NoError);
    EXPECT_EQ(location.ToNativePath(), "/x/a\\b/c\\d");
}

}  // namespace
