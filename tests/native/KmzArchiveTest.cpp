#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tests/support/TestZip.h"
#include "waypoints/kmz/KmzArchive.h"
#include "waypoints/kmz/ZipDirectory.h"
#include "waypoints/kmz/ZipEntryPieces.h"

namespace tarvik::waypoints::kmz {
namespace {

using tests::MakeZip;
using tests::ZipFile;

// The KML a KMZ gives as the import reads it: unpacked a piece at a time,
// twice, the same both times; or the refusal, at opening or unpacking.
struct Opened {
  std::optional<std::string> kml;
  std::string refusal;
};

Opened Open(const std::string& zip) {
  KmzKml opened = KmlOfKmz({reinterpret_cast<const std::uint8_t*>(zip.data()), zip.size()});
  if (!opened.kml) return {std::nullopt, opened.refusal};
  std::string passes[2];
  for (auto& pass : passes) {
    opened.kml->Restart();
    for (auto piece = opened.kml->Next(); !piece.empty(); piece = opened.kml->Next()) {
      pass.append(reinterpret_cast<const char*>(piece.data()), piece.size());
    }
    if (opened.kml->Failed()) return {std::nullopt, KmzRefusal(opened.kml->Problem())};
  }
  EXPECT_EQ(passes[0], passes[1]);
  return {passes[0], {}};
}

std::string KmlOf(const std::string& zip) {
  Opened opened = Open(zip);
  EXPECT_TRUE(opened.kml.has_value()) << opened.refusal;
  return opened.kml.value_or("");
}

std::string RefusalOf(const std::string& zip) {
  Opened opened = Open(zip);
  EXPECT_FALSE(opened.kml.has_value());
  return opened.refusal;
}

TEST(KmzArchive, TakesDocKmlWhereverItStandsElseTheFirstKmlAtTheTop) {
  struct Case {
    std::vector<ZipFile> files;
    const char* kml;
  };
  const Case cases[] = {
      {{{"files/a.kml", "in a folder"}, {"first.kml", "first"}, {"doc.kml", "doc"}}, "doc"},
      {{{"images/x.png", "png"}, {"files/doc.kml", "deep"}, {"Route.KML", "top", false},
        {"later.kml", "later"}},
       "top"},
      {{{"DOC.KML", "any case", false}, {"a.kml", "a"}}, "any case"},
  };
  for (const auto& c : cases) EXPECT_EQ(KmlOf(MakeZip(c.files)), c.kml);
  EXPECT_EQ(RefusalOf(MakeZip({{"files/a.kml", "x"}, {"a.png", "y"}})),
            "its zip archive holds no KML file at its top");
}

TEST(KmzArchive, EveryLimitAndUnreadableEntryIsRefusedWithItsReason) {
  std::string kml;
  for (int i = 0; kml.size() < 100000; ++i) kml += "<coord>" + std::to_string(i * 7919) + "</coord>\n";
  const auto kml_size = static_cast<std::uint32_t>(kml.size());
  std::vector<ZipFile> many(kMaxZipEntries + 1, ZipFile{"x.png", "", false});
  std::vector<ZipFile> most(kMaxZipEntries, ZipFile{"x.png", "", false});
  most.back() = {"doc.kml", "<kml/>"};
  struct Case {
    std::vector<ZipFile> files;
    const char* reason;  // nullptr: taken
  };
  const Case cases[] = {
      {many, "its zip archive holds more than 10000 files"},
      {most, nullptr},
      {{{"doc.kml", "<kml/>", true, 0x0001}}, "its KML file is encrypted"},
      {{{"doc.kml", "<kml/>", true, 0, 12}},
       "its KML file is packed with a method other than stored or deflated"},
      {{{"doc.kml", "<kml/>", false, 0, 0, 300u * 1024 * 1024}},
       "its KML file unpacks to more than 256 MB"},
      {{{"doc.kml", std::string(2'000'000, ' ')}},
       "its KML file unpacks to more than 1000 times its packed size (a zip bomb)"},
      {{{"doc.kml", kml, true, 0, 0, kml_size - 1}}, "its zip archive is damaged"},
      {{{"doc.kml", kml, true, 0, 0, kml_size + 1}}, "its zip archive is damaged"},
      {{{"doc.kml", kml, true, 0, 0, {}, 1234}}, "its zip archive is damaged"},
      {{{"doc.kml", kml, false, 0, 0, kml_size - 1}}, "its zip archive is damaged"},
      {{{"doc.kml", kml}}, nullptr},
      {{{"doc.kml", kml, false}}, nullptr},
      {{{"doc.kml", ""}}, nullptr},
      {{{"doc.kml", "", false}}, nullptr},
  };
  for (const auto& c : cases) {
    Opened opened = Open(MakeZip(c.files));
    if (c.reason) {
      EXPECT_FALSE(opened.kml.has_value()) << c.reason;
      EXPECT_EQ(opened.refusal, c.reason);
    } else {
      EXPECT_EQ(opened.kml, c.files.back().content) << opened.refusal;
    }
  }
  EXPECT_EQ(RefusalOf("not a zip at all, though named .kmz"),
            "it is not a zip archive, as a KMZ file is");
}

// The directory and the data can be anything a broken download or a
// hostile file holds: every cut ends too early, and every changed byte
// gives either the KML exactly or a refusal, never anything between.
TEST(KmzArchive, CutOrChangedArchivesGiveTheWholeKmlOrAReason) {
  const std::string kml = "<kml><Placemark><name>Belton</name></Placemark></kml>\n";
  const std::string zip =
      MakeZip({{"images/a.png", std::string(300, 'p')}, {"doc.kml", kml}, {"b.kml", "b"}});
  for (size_t cut = 0; cut < zip.size(); ++cut) {
    EXPECT_EQ(RefusalOf(zip.substr(0, cut)),
              cut < 4 ? "it is not a zip archive, as a KMZ file is" : "it ends too early")
        << "cut at " << cut;
  }
  std::mt19937 random(17);
  for (size_t at = 0; at < zip.size(); ++at) {
    std::string changed = zip;
    changed[at] = static_cast<char>(changed[at] ^ (1 + random() % 255));
    Opened opened = Open(changed);
    if (opened.kml) {
      EXPECT_TRUE(*opened.kml == kml || *opened.kml == "b") << "byte " << at;
    } else {
      EXPECT_FALSE(opened.refusal.empty()) << "byte " << at;
    }
  }
}

}  // namespace
}  // namespace tarvik::waypoints::kmz
