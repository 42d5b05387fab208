#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "platform/xml/XmlInput.h"
#include "platform/xml/XmlStructure.h"

namespace tarvik::platform::xml {
namespace {

std::span<const std::uint8_t> BytesOf(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// What the XML library is handed, or the problem and its line.
std::string Given(DocumentPieces& document) {
  XmlReadResult problem = CheckXmlInput(document);
  if (!problem.ok()) {
    return "problem " + std::to_string(static_cast<int>(problem.problem)) + " line " +
           std::to_string(problem.line) + problem.encoding;
  }
  XmlInputText text(document);
  std::string given;
  char buffer[1000];
  while (std::size_t read = text.Read(buffer, sizeof buffer)) given.append(buffer, read);
  return text.Failed() ? "failed" : given;
}

// The same for the bytes in one piece.
std::string Given(const std::string& bytes) {
  BytesInPieces document(BytesOf(bytes), bytes.size());
  return Given(document);
}

// A document in two pieces, cut where a test says.
class TwoPieces final : public DocumentPieces {
 public:
  TwoPieces(const std::string& bytes, std::size_t cut) : bytes_(BytesOf(bytes)), cut_(cut) {}
  void Restart() override { taken_ = 0; }
  std::span<const std::uint8_t> Next() override {
    ++taken_;
    if (taken_ == 1) return bytes_.first(cut_);
    return taken_ == 2 ? bytes_.subspan(cut_) : std::span<const std::uint8_t>();
  }
  bool Failed() const override { return false; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t cut_;
  int taken_ = 0;
};

std::string Problem(XmlProblem problem, int line, std::string encoding = {}) {
  return "problem " + std::to_string(static_cast<int>(problem)) + " line " +
         std::to_string(line) + encoding;
}

std::string Utf16(std::u16string_view text, bool little_endian) {
  std::string bytes;
  for (char16_t unit : text) {
    char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += little_endian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

TEST(XmlInput, EightBitAndUtf16DocumentsReachTheLibraryAsUtf8SayingSo) {
  const std::string body = "<gpx><name>Z\xC3\xBCrich</name></gpx>\n";
  struct Case {
    std::string bytes;
    std::string given;
  };
  const Case cases[] = {
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<gpx><name>Z\xFCrich</name></gpx>\n",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + body},
      {"<?xml version='1.0' encoding='latin1' ?>\n<gpx><name>Z\xFCrich</name></gpx>\n",
       "<?xml version='1.0' encoding='UTF-8' ?>\n" + body},
      // The euro sign, typographic quotes and a byte the code page leaves
      // undefined, by the code page's published table.
      {"<?xml version=\"1.0\" encoding=\"windows-1252\"?><kml>\x80 \x93q\x94 \x81 \xFF</kml>",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><kml>\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D "
       "\xC2\x81 \xC3\xBF</kml>"},
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><kml>\x80</kml>",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><kml>\xC2\x80</kml>"},
      {Utf16(u"\uFEFF<a>\u00E9</a>", true), "<a>\xC3\xA9</a>"},
      {Utf16(u"\uFEFF<a>\U0001F682</a>", false), "<a>\xF0\x9F\x9A\x82</a>"},
      {Utf16(u"<?xml encoding='UTF-16'?><a/>", true), "<?xml encoding='UTF-8'?><a/>"},
      {Utf16(u"<?xml encoding='UTF-16'?><a/>", false), "<?xml encoding='UTF-8'?><a/>"},
      {Utf16(u"\uFEFF<a>\n", true) + std::string("\x00\xD8", 2) + Utf16(u"</a>", true),
       Problem(XmlProblem::Encoding, 2)},
      {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a/>",
       Problem(XmlProblem::UnknownEncoding, 1, "Shift_JIS")},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a>\n\xC3\xBC\xFC</a>",
       Problem(XmlProblem::Encoding, 3)},
      {"<a>\xED\xA0\x80</a>", Problem(XmlProblem::Encoding, 1)},
      {"\xEF\xBB\xBF<a>\xE2\x82\xAC</a>", "\xEF\xBB\xBF<a>\xE2\x82\xAC</a>"},
      {"<?xml version=\"1.0\" encoding=\"US-ASCII\"?><a/>",
       "<?xml version=\"1.0\" encoding=\"US-ASCII\"?><a/>"},
  };
  for (const auto& c : cases) EXPECT_EQ(Given(c.bytes), c.given) << c.bytes;
}

// A document whose root element is not closed in its bytes is cut short,
// wherever the cut falls: in a tag, a quoted value with '>' in it, a
// comment or CDATA section that holds markup, a processing instruction.
TEST(XmlInput, EveryCutBeforeTheRootClosesEndsEarlyAndNoneAfter) {
  const std::string document =
      "<?xml version=\"1.0\"?>\n<!-- <kml> -->\n<kml a=\"x>y\" b='<'>\n"
      "<Placemark><name><![CDATA[</kml>]]></name><Point/></Placemark>\n"
      "<?pi </kml>?><x></x>\n</kml>";
  const std::string tail = "\n<!-- after -->\n";
  const std::string whole = document + tail;
  for (size_t cut = 0; cut <= whole.size(); ++cut) {
    XmlReadResult checked = CheckStructure(whole.substr(0, cut));
    bool complete = cut >= document.size() &&
                    (cut <= document.size() + 1 || cut + 1 >= whole.size());
    EXPECT_EQ(checked.problem, complete ? XmlProblem::None : XmlProblem::EndsEarly) << "cut " << cut;
  }
  EXPECT_EQ(CheckStructure("<gpx version=\"1.1\"/>\n").problem, XmlProblem::None);
  EXPECT_EQ(CheckStructure("no markup at all").problem, XmlProblem::EndsEarly);
  EXPECT_EQ(CheckStructure("<kml>\n<Placemark>\n</kml>\n").problem, XmlProblem::None)
      << "a wrong end tag is the library's to report";
}

TEST(XmlInput, AnAttributeLongerThanTheLimitIsRefusedWithItsLineBeforeTheLibrary) {
  const std::string at_limit(kMaxXmlAttributeCharacters, 'a');
  // Two bytes each: counted as characters, not bytes.
  std::string umlauts;
  for (size_t i = 0; i < kMaxXmlAttributeCharacters; ++i) umlauts += "\xC3\xBC";
  struct Case {
    std::string document;
    XmlProblem problem;
    int line;
  };
  const Case cases[] = {
      {"<a>\n<b v=\"" + at_limit + "\"/></a>", XmlProblem::None, 0},
      {"<a>\n<b v='" + umlauts + "'/></a>", XmlProblem::None, 0},
      {"<a>\n\n<b w='1' v=\"" + at_limit + "x\"/></a>", XmlProblem::AttributeTooLong, 3},
      {"<a>\n<b v='" + umlauts + "\xC3\xBC'/></a>", XmlProblem::AttributeTooLong, 2},
  };
  for (const auto& c : cases) {
    BytesInPieces document(BytesOf(c.document));
    XmlReadResult checked = CheckXmlInput(document);
    EXPECT_EQ(checked.problem, c.problem);
    EXPECT_EQ(checked.line, c.line);
  }
}

// The decoding and the outline see a document a piece at a time, cut
// anywhere: within a UTF-8 or UTF-16 character, the declaration, a tag,
// a quoted value, a comment's or CDATA section's terminator. Each sample
// gives the same text or the same problem and line at every cut, and a
// byte at a time, as in one piece.
TEST(XmlInput, ADocumentInPiecesIsJudgedAndGivenAsTheWholeOfItWhereverItIsCut) {
  const std::string outline =
      "<?xml version=\"1.0\"?>\n<!-- <kml> --->\n<kml a=\"x>y\" b='<'>\n<!DOCTYPE x><![CDAT>"
      "<Placemark><name><![CDATA[</kml>]]]></name><Point/><p\"q r\"/></Placemark>\n"
      "<?" "?><?pi </kml>?" "?><x></x>\n</kml>\n";
  std::string windows1252 = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<kml>";
  while (windows1252.size() < 2 * kDeclarationReach) windows1252 += "\x80 \x93q\x94\n";
  windows1252 += "</kml>";
  std::string too_long = "<a>\n<b v='";
  for (size_t i = 0; i <= kMaxXmlAttributeCharacters; ++i) too_long += "\xC3\xBC";
  too_long += "'/></a>";
  const std::string samples[] = {
      outline,
      outline.substr(0, outline.find("]]]>")),
      outline.substr(0, outline.find("y\" b=")),
      outline.substr(0, outline.find("</Placemark>") + 13),
      "<kml>\n<Placemark>\n</kml>\n",
      "\xEF\xBB\xBF<a v='\xE2\x82\xAC'>\xF0\x9F\x9A\x82\n\xC3\xA9</a>",
      "<?xml version=\"1.0\"?>\n<a>\n\xC3\xBC\xFC</a>",
      "<a>\xE2\x82",
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<gpx><name>Z\xFCrich</name></gpx>\n",
      windows1252,
      "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a/>",
      Utf16(u"\uFEFF<?xml version='1.0' encoding='UTF-16'?>\n<a>\U0001F682\u00E9</a>", true),
      Utf16(u"<?xml encoding='UTF-16'?><a>\n\U0001F682</a>", false),
      Utf16(u"\uFEFF<a>\n", true) + std::string("\x00\xD8", 2) + Utf16(u"</a>", true),
      Utf16(u"\uFEFF<a>\n", false) + "x",
      too_long,
  };
  for (const auto& sample : samples) {
    const std::string whole = Given(sample);
    if (sample.size() < 4 * kDeclarationReach) {
      for (size_t cut = 1; cut < sample.size(); ++cut) {
        TwoPieces pieces(sample, cut);
        ASSERT_EQ(Given(pieces), whole) << "cut at " << cut << " of " << sample.substr(0, 80);
      }
    }
    BytesInPieces bytes(BytesOf(sample), 1);
    EXPECT_EQ(Given(bytes), whole) << "a byte at a time: " << sample.substr(0, 80);
  }
}

}  // namespace
}  // namespace tarvik::platform::xml
