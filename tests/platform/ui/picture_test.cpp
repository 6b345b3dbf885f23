// Pictures from files and from the program's resources.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/rtl/file_stream.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/image.h"
#include "platform/ui/picture.h"
#include "platform/ui/resources.h"
#include "tests/support/temp_dir.h"

namespace {

class PictureTest : public ::testing::Test {
  protected:
    std::string WriteFile(const std::string& name, const std::string& bytes) {
        auto path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    platform::ui::HeadlessSession ui;
    testsupport::TempDir dir_{"ui_pictures"};
};

std::string ResourceBytes(const char* name) {
    const auto& r = platform::ui::GetResource(name);
    return {reinterpret_cast<const char*>(r.Bytes.data()), r.Bytes.size()};
}

TEST_F(PictureTest, EmbeddedBitmapLoadsFromResourcesWithItsPixels) {
    TPicture picture;
    picture.LoadFromResourceName("tinybmp");  // names compare without letter case
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Height(), 2);
    TBitmap* bmp = picture.Bitmap();
    EXPECT_EQ(bmp->Canvas()->Pixel(0, 0), clRed);
    EXPECT_EQ(bmp->Canvas()->Pixel(1, 0), clLime);
    EXPECT_EQ(bmp->Canvas()->Pixel(2, 0), clBlue);
    EXPECT_EQ(bmp->Canvas()->Pixel(3, 1), clBlack);
}

TEST_F(PictureTest, FilesChooseTheirKindByExtensionAndOthersAreRefused) {
    std::string bmp = ResourceBytes("TINYBMP");
    TPicture picture;
    picture.LoadFromFile(WriteFile("a.BMP", bmp));
    EXPECT_EQ(picture.Width(), 4);

    struct Case {
        std::string file;
        std::string message;
    };
    for (const Case& c : {Case{"a.png", "Unknown picture file extension (.png)"},
                          Case{"a.GIF", "Unknown picture file extension (.gif)"},
                          Case{"noext", "Unknown picture file extension (.)"}}) {
        try {
            picture.LoadFromFile(WriteFile(c.file, bmp));
            ADD_FAILURE() << c.file;
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message, c.message);
        }
    }
    EXPECT_EQ(picture.Width(), 4);  // a failed load keeps what the picture held
}

TEST_F(PictureTest, DamagedContentRaisesAClearErrorAndKeepsThePicture) {
    TPicture picture;
    picture.LoadFromResourceName("TINYBMP");
    std::string bmp = ResourceBytes("TINYBMP");
    for (const std::string& bytes : {std::string("not a picture"), bmp.substr(0, 60), std::string()}) {
        try {
            picture.LoadFromFile(WriteFile("bad.bmp", bytes));
            ADD_FAILURE();
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message, "Bitmap image is not valid");
        }
    }
    EXPECT_EQ(picture.Width(), 4);
}

TEST_F(PictureTest, MetafilesAndMissingFilesFailWithAPlainMessage) {
    TPicture picture;
    EXPECT_THROW(picture.LoadFromFile(WriteFile("a.wmf", "x")), EInvalidGraphic);
    EXPECT_THROW(picture.LoadFromFile((dir_ / "missing.jpg").string()), EFOpenError);
    EXPECT_THROW(picture.LoadFromResourceName("NO_SUCH"), EResNotFound);
    EXPECT_EQ(picture.Graphic(), nullptr);
}

// The runtime's file errors: one catch serves pictures and streams alike.
TEST_F(PictureTest, AFileThatCannotBeOpenedOrCreatedRaisesTheRuntimesFileError) {
    std::string missing = (dir_ / "missing.jpg").string();
    try {
        TPicture().LoadFromFile(missing);
        ADD_FAILURE() << "a missing file loaded";
    } catch (const EStreamError& e) {
        EXPECT_NE(dynamic_cast<const EFOpenError*>(&e), nullptr);
        EXPECT_EQ(e.Message, "Cannot open file \"" + missing + "\". No such file or directory");
    }
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    std::string inMissingFolder = (dir_ / "no" / "such.bmp").string();
    try {
        bitmap.SaveToFile(inMissingFolder);
        ADD_FAILURE() << "a file was written into a missing folder";
    } catch (const EStreamError& e) {
        EXPECT_NE(dynamic_cast<const EFCreateError*>(&e), nullptr);
        EXPECT_EQ(e.Message, "Cannot create file \"" + inMissingFolder + "\"");
    }
}

TEST_F(PictureTest, BitmapSavedAndLoadedAgainKeepsItsPixels) {
    TBitmap a;
    a.SetSize(3, 2);
    a.Canvas()->Brush()->SetColor(clTeal);
    a.Canvas()->FillRect(Rect(0, 0, 3, 2));
    a.Canvas()->SetPixel(2, 1, clFuchsia);
    std::string path = (dir_ / "round.bmp").string();
    a.SaveToFile(path);
    TBitmap b;
    b.LoadFromFile(path);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Canvas()->Pixel(0, 0), clTeal);
    EXPECT_EQ(b.Canvas()->Pixel(2, 1), clFuchsia);
}

TEST_F(PictureTest, StretchedImagePaintsThePictureOverTheWholeControl) {
    TForm* form = nullptr;
    Application->CreateForm(&form);
    form->SetBounds(0, 0, 40, 20);
    TImage* image = NewComponent<TImage>(form);
    image->SetParent(form);
    image->SetBounds(0, 0, 40, 20);
    image->SetStretch(true);
    image->Picture()->LoadFromResourceName("TINYBMP");
    form->Show();
    ui.ProcessMessages();
    const auto& s = form->SurfaceImage();
    EXPECT_EQ(s.Pixel(2, 2), ColorToArgb(clRed));  // top-left source pixel covers 10 x 10
    EXPECT_EQ(s.Pixel(25, 5), ColorToArgb(clBlue));
    EXPECT_EQ(s.Pixel(39, 19), ColorToArgb(clBlack));
}

}  // namespace
