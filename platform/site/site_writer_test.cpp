#include "platform/site/site_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "rules/contracts/app_error.h"
#include "rules/fakes/fakes.h"
#include "rules/text/sjis_decoder.h"
#include "tests/support/temp_dir.h"

namespace game {
namespace {

namespace fs = std::filesystem;
constexpr char kIpaPGothic[] = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class SiteWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kIpaPGothic)) GTEST_SKIP() << "fonts-ipafont-gothic missing";
    page_.Write("index.html", "<title>{{TITLE}}</title><p>読み込み中</p>");
    page_.Write("main.js", "export {};");
    page_.Write("tests/harness.mjs", "test");
    page_.Write("tests/package.json", "{}");
    page_.Write("CMakeLists.txt", "#");
    page_.Write(".eslintrc", "{}");
    page_.Write("studio/src/main.js", "the studio's source");
    page_.Write("studio.html", "the studio");
    page_.Write("luxarim-studio.html", "the studio in one file");
    module_.Write("luxarim.js", "module");
    module_.Write("main.js", "the module's");
    module_.Write("icon-512.png", "PNG");
    module_.Write("favicon.ico", "ICO");
    story_.Write("story.txt", "\x82\xa0\r\n\x83\x41\n");  // "あ", "ア" in Shift-JIS
    story_.Write("a0.bmp", "BM");
    licence_ = work_.Write("copyright",
                           "Format: x\n\nFiles: *\nLicense: IPA-1\n\nLicense: IPA-1\n first\n .\n "
                           "second\n\nLicense: GPL-3+\n other\n");
  }

  std::vector<std::string> Write(const fs::path& out, const std::string& title) {
    const SiteInput input{
        story_.Path(), {page_.Path(), module_.Path()}, kIpaPGothic, licence_, title};
    return WriteSite(input, out, decoder_, [this](const fs::path& font, const std::string& text) {
      subset_text_ = text;
      return ReadAll(font);
    });
  }

  testing::TempDir page_, module_, story_, work_;
  std::string licence_;
  SjisTextDecoder decoder_;
  std::string subset_text_;
};

TEST_F(SiteWriterTest, WritesThePlayerTheStoryTheFaceAndItsLicenceInAFixedOrder) {
  const fs::path out = work_.Path() / "site";
  const auto written = Write(out, "A & <B>");
  const std::vector<std::string> expected = {"favicon.ico",
                                             "icon-512.png",
                                             "index.html",
                                             "luxarim.js",
                                             "main.js",
                                             "manifest.webmanifest",
                                             "dat/story.txt",
                                             "dat/a0.bmp",
                                             "fonts/luxarim-gothic.ttf",
                                             "fonts/IPA_Font_License.txt"};
  EXPECT_EQ(written, expected);
  EXPECT_EQ(ReadAll(out / "index.html"), "<title>A &amp; &lt;B&gt;</title><p>読み込み中</p>");
  EXPECT_EQ(ReadAll(out / "main.js"), "the module's");
  EXPECT_EQ(ReadAll(out / "favicon.ico"), "ICO");
  EXPECT_EQ(ReadAll(out / "manifest.webmanifest"), WebManifest("A & <B>", {"icon-512.png"}));
  EXPECT_EQ(ReadAll(out / "dat/story.txt"), "\x82\xa0\r\n\x83\x41\n");
  EXPECT_EQ(ReadAll(out / "fonts/IPA_Font_License.txt"), "first\n\nsecond\n");
  EXPECT_FALSE(fs::exists(out / "tests"));
  EXPECT_FALSE(fs::exists(out / "CMakeLists.txt"));
  for (const char* studio : {"studio", "studio.html", "luxarim-studio.html"}) {
    EXPECT_FALSE(fs::exists(out / studio)) << studio;  // an author's tool, not the player's
  }
  EXPECT_FALSE(fs::exists(out / "dat/a1.bmp"));
  // The face holds the story's characters and the page's, under its own name.
  for (const std::string c : {"あ", "ア", "読", "＞", "★"}) {
    EXPECT_NE(subset_text_.find(c), std::string::npos) << c;
  }
  EXPECT_NE(ReadAll(out / "fonts/luxarim-gothic.ttf").find("LuxarimGothic"), std::string::npos);
}

TEST_F(SiteWriterTest, TheSameInputGivesTheSameBytes) {
  Write(work_.Path() / "one", "t");
  const auto written = Write(work_.Path() / "two", "t");
  for (const std::string& file : written) {
    EXPECT_EQ(ReadAll(work_.Path() / "one" / file), ReadAll(work_.Path() / "two" / file)) << file;
  }
}

TEST_F(SiteWriterTest, APlayerWithoutIndexHtmlIsRefused) {
  fs::remove(page_.Path() / "index.html");
  EXPECT_THROW(Write(work_.Path() / "site", "t"), AppError);
}

TEST(WebManifest, NamesTheSiteByItsTitleAndListsTheIconsThePlayerHas) {
  struct Case {
    std::string title;
    std::vector<std::string> files;
    std::string name;   // the title as a JSON string
    std::string icons;  // the "icons" member's value
  };
  const std::string png192 = R"({"src": "icon-192.png", "sizes": "192x192", "type": "image/png"})";
  const std::string png512 = R"({"src": "icon-512.png", "sizes": "512x512", "type": "image/png"})";
  const std::string svg = R"({"src": "icon.svg", "sizes": "any", "type": "image/svg+xml"})";
  const Case cases[] = {
      {"星の話",
       {"icon.svg", "icon-192.png", "index.html", "icon-512.png"},
       R"("星の話")",
       "[\n    " + png192 + ",\n    " + png512 + ",\n    " + svg + "\n  ]"},
      {"Say \"hi\" \\ bye",
       {"icon-512.png"},
       R"("Say \"hi\" \\ bye")",
       "[\n    " + png512 + "\n  ]"},
      {"tab\there\n", {"index.html"}, R"("tab\u0009here\u000a")", "[]"},
  };
  for (const Case& c : cases) {
    const std::string manifest = WebManifest(c.title, c.files);
    EXPECT_NE(manifest.find("\"name\": " + c.name + ",\n"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("\"short_name\": " + c.name + ",\n"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("\"icons\": " + c.icons + "\n}\n"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find(R"("start_url": "./")"), std::string::npos);
  }
}

TEST(LicenceText, TakesTheStandAloneParagraphOfADebianCopyrightFileAndAnyOtherFileAsItIs) {
  EXPECT_EQ(LicenceText("Format: x\nLicense: A\n one\n .\n two\nLicense: B\n three\n", "A"),
            "one\n\ntwo\n");
  EXPECT_EQ(LicenceText("Format: x\nFiles: *\nLicense: A\n\nLicense: A\n text\n", "A"), "text\n");
  EXPECT_EQ(LicenceText("The licence itself.\n", "A"), "The licence itself.\n");
  EXPECT_THROW(LicenceText("Format: x\nLicense: B\n text\n", "A"), AppError);
}

}  // namespace
}  // namespace game
