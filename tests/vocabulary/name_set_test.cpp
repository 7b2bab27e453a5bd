// Names given out by one conversion, kept in one buffer.

#include "vocabulary/name_set.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvex {
namespace {

TEST(NameSetTest, NamesAreTheSameWithoutRegardToCaseAndStayWhileItGrows) {
  NameSet names;
  EXPECT_FALSE(names.Contains("object Text1"));
  EXPECT_TRUE(names.Insert("object Text1"));
  EXPECT_FALSE(names.Insert("OBJECT TEXT1"));
  for (int i = 0; i < 1000; ++i) EXPECT_TRUE(names.Insert("object Label" + std::to_string(i))) << i;
  EXPECT_TRUE(names.Contains("object text1"));
  EXPECT_TRUE(names.Contains("Object LABEL999"));
  EXPECT_FALSE(names.Contains("object Label1000"));
  EXPECT_FALSE(names.Contains("object Label99 "));
  EXPECT_TRUE(names.Insert(""));
  EXPECT_FALSE(names.Insert(""));
  EXPECT_TRUE(names.Insert("\xC4"));  // 8-bit letters are not folded
  EXPECT_TRUE(names.Insert("\xE4"));
}

}  // namespace
}  // namespace quorvex
