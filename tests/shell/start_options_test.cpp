#include "shell/model/start_options.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(StartupRulesTest, OnlyALastLowerCaseMStartsHidden) {
  EXPECT_TRUE(StartsHidden(u"C:\\Quillon\\quillon.exe -m"));
  EXPECT_TRUE(StartsHidden(u"quillon.exe program"));  // the last character alone decides
  EXPECT_FALSE(StartsHidden(u"quillon.exe -M"));
  EXPECT_FALSE(StartsHidden(u"quillon.exe -m "));
  EXPECT_FALSE(StartsHidden(u"\"C:\\Quillon\\quillon.exe\""));
  EXPECT_FALSE(StartsHidden(u""));
}

TEST(StartupRulesTest, DataFolderAndCatalogueHaveNoDoubledSeparators) {
  const std::u16string folder = DataFolderUnder(u"C:\\Users\\ann\\AppData\\Roaming");
  EXPECT_EQ(folder, u"C:\\Users\\ann\\AppData\\Roaming\\Veldmark\\Quillon");
  EXPECT_EQ(CataloguePathIn(folder), folder + u"\\data.dat");
}

}  // namespace
}  // namespace quillon
