#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/tables.h"
#include "base/text_convert.h"
#include "preview/image/image_factory.h"
#include "preview/image/platform_path.h"
#include "tests/catalogue/catalogue_fixture.h"
#include "tests/image/test_pictures.h"

namespace quillon {
namespace {

using test::Bytes;

TEST(TypeFromPath, UsesTheTextAfterTheLastDotInAnyCase) {
  const FCImageHandleFactory& factory = ProcessImageFactory();
  struct Case { const char* path; ImageType type; };
  for (const Case c : {Case{"a.bmp", ImageType::Bmp}, Case{"A.BMP", ImageType::Bmp},
                       Case{"x.pcx", ImageType::Pcx}, Case{"p.JpG", ImageType::Jpg},
                       Case{"p.jpeg", ImageType::Jpg}, Case{"g.gif", ImageType::Gif},
                       Case{"t.Tga", ImageType::Tga}, Case{"t.tif", ImageType::Tif},
                       Case{"t.TIFF", ImageType::Tif}, Case{"p.png", ImageType::Png},
                       Case{"p.psd", ImageType::Psd}, Case{"i.ico", ImageType::Ico},
                       Case{"x.xpm", ImageType::Xpm}, Case{"archive.tar.bmp", ImageType::Bmp},
                       Case{"C:\\dir.bmp\\file", ImageType::Unknown},
                       Case{"C:\\pictures\\photo", ImageType::Unknown}, Case{"bmp", ImageType::Unknown},
                       Case{"name.", ImageType::Unknown}, Case{"a.bmpx", ImageType::Unknown},
                       Case{"", ImageType::Unknown}}) {
    EXPECT_EQ(factory.TypeFromPath(c.path), c.type) << c.path;
  }
}

TEST(CreateOwnReader, GivesReadersForBmpAndTgaOnly) {
  EXPECT_NE(dynamic_cast<FCImageHandle_Bmp*>(CreateOwnReader(ImageType::Bmp).get()), nullptr);
  EXPECT_NE(dynamic_cast<FCImageHandle_Tga*>(CreateOwnReader(ImageType::Tga).get()), nullptr);
  for (ImageType type : {ImageType::Unknown, ImageType::Pcx, ImageType::Psd, ImageType::Xpm}) {
    EXPECT_EQ(ProcessImageFactory().CreateHandler(type), nullptr);
  }
}

TEST(NarrowPathFor, RefusesPathsThatDoNotFitTheBuffer) {
  std::string narrow;
  const std::u16string fits(255, u'a');
  ASSERT_TRUE(NarrowPathFor(fits, narrow));
  EXPECT_EQ(narrow.size(), 255u);
  EXPECT_FALSE(NarrowPathFor(fits + u"a", narrow));
#ifndef _WIN32
  // Two bytes each in UTF-8, the narrow form here: 128 of them no longer fit.
  EXPECT_TRUE(NarrowPathFor(std::u16string(127, u'\u00e9'), narrow));
  EXPECT_FALSE(NarrowPathFor(std::u16string(128, u'\u00e9'), narrow));
#endif
}

Bytes SmallBmp() {
  test::BmpLayout layout = test::BmpOf(3, 2, 24);
  layout.rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {9, 8, 7, 6, 5, 4, 3, 2, 1}};
  return test::MakeBmp(layout);
}

Bytes SmallTga() {
  test::TgaLayout layout = test::TgaOf(3, 4, 1, 8);
  layout.data = {1, 2, 3, 4};
  return test::MakeTga(layout);
}

class PictureFiles : public ::testing::Test {
 protected:
  std::string Put(const std::string& name, const Bytes& bytes) {
    const std::string path = folder_.Path().string() + "/" + name;
    EXPECT_TRUE(test::WriteFile(path, bytes));
    return path;
  }
  // A catalogue record for a file in the folder, written with Windows separators.
  FileRecord Record(const std::string& name) const {
    FileRecord record;
    std::string folder = folder_.Path().string();
    for (char& c : folder) {
      if (c == '/') c = '\\';
    }
    record.Path = FromUtf8(folder);
    record.FileName = FromUtf8(name);
    return record;
  }
  testing::TempFolder folder_;
};

TEST_F(PictureFiles, LoadReadsTheFirstPictureThroughTheOwnReaders) {
  FCObjImage picture;
  ASSERT_TRUE(picture.Load(Put("one.bmp", SmallBmp())));
  EXPECT_EQ(picture.Width(), 3);
  EXPECT_EQ(test::PixelColour(picture, 2, 0), 0x090807u);
  ASSERT_TRUE(picture.Load(Put("two.TGA", SmallTga())));
  EXPECT_EQ(picture.Width(), 4);
  EXPECT_EQ(test::PixelColour(picture, 3, 0), 0x040404u);
}

TEST_F(PictureFiles, FailedLoadsLeaveThePictureAsItWas) {
  FCObjImage picture;
  ASSERT_TRUE(picture.Load(Put("keep.bmp", SmallBmp())));
  EXPECT_FALSE(picture.Load(Put("empty.bmp", Bytes{})));
  EXPECT_FALSE(picture.Load(Put("broken.tga", Bytes(40, 0))));
  EXPECT_FALSE(picture.Load(folder_.Path().string() + "/missing.bmp"));
  EXPECT_FALSE(picture.Load(Put("bmp-in-disguise.pcx", SmallBmp())));
  EXPECT_FALSE(picture.Load(Put("no-extension", SmallBmp())));
  EXPECT_FALSE(picture.Load(folder_.Path().string()));
  EXPECT_EQ(picture.Width(), 3);
}

TEST_F(PictureFiles, ReadingThroughMemoryStopsAtUnreadableFiles) {
  FCImageHandle_Bmp reader;
  ImageFrames frames;
  EXPECT_FALSE(reader.LoadFile(folder_.Path().string() + "/missing.bmp", frames));
  EXPECT_FALSE(reader.LoadFile(Put("zero.bmp", Bytes{}), frames));
  EXPECT_FALSE(reader.LoadFile(folder_.Path().string(), frames));
  EXPECT_EQ(frames.PCL_GetObjectCount(), 0);
  EXPECT_TRUE(reader.LoadFile(Put("ok.bmp", SmallBmp()), frames));
  EXPECT_EQ(frames.PCL_GetObjectCount(), 1);
  FCImageHandleBase base;
  EXPECT_FALSE(base.LoadFile(Put("ok2.bmp", SmallBmp()), frames)) << "the base reader decodes nothing";
}

TEST_F(PictureFiles, RecordsGetAPictureByTheirNameInAnyCase) {
  Put("photo.BmP", SmallBmp());
  Put("scan.tga", SmallTga());
  FCObjImage picture;
  EXPECT_TRUE(picture.LoadForRecord(Record("photo.BmP")));
  EXPECT_EQ(picture.Width(), 3);
  EXPECT_TRUE(picture.LoadForRecord(Record("scan.tga")));
  EXPECT_EQ(picture.Width(), 4);
}

TEST_F(PictureFiles, RecordsWithoutAPictureEmptyIt) {
  Put("shot.bmp", SmallBmp());
  Put("shot.jpeg", SmallBmp());        // the name test wants the last three letters
  Put("shot.pcx", SmallBmp());         // passes the name test, but no reader
  Put("shot_bmp", SmallBmp());         // passes the name test, no extension
  Put("notes.txt", SmallBmp());
  FCObjImage picture;
  for (const char* name : {"shot.jpeg", "shot.pcx", "shot_bmp", "notes.txt", "gone.bmp"}) {
    ASSERT_TRUE(picture.LoadForRecord(Record("shot.bmp")));
    EXPECT_FALSE(picture.LoadForRecord(Record(name))) << name;
    EXPECT_TRUE(picture.IsEmpty()) << name;
  }
  EXPECT_FALSE(picture.LoadForRecord(FileRecord{}));
  EXPECT_TRUE(picture.IsEmpty());
}

TEST_F(PictureFiles, PathsLongerThanTheNarrowBufferGetNoPicture) {
  // The full path of the record needs more than 256 bytes once made narrow.
  std::string deep = folder_.Path().string();
  std::string relative;
  while (deep.size() < 270) {
    deep += "/" + std::string(40, 'd');
    relative += "/" + std::string(40, 'd');
  }
  std::filesystem::create_directories(deep);
  Put(relative.substr(1) + "/long.bmp", SmallBmp());
  FileRecord record = Record("long.bmp");
  record.Path += FromUtf8(relative);
  for (char16_t& c : record.Path) {
    if (c == u'/') c = u'\\';
  }
  FCObjImage picture;
  EXPECT_FALSE(picture.LoadForRecord(record));
  EXPECT_TRUE(picture.IsEmpty());
}

}  // namespace
}  // namespace quillon
