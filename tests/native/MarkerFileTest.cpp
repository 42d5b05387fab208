#include "waypoints/MarkerFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "waypoints/RowOrder.h"
#include "waypoints/Utf16.h"

namespace tarvik::waypoints {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Utf16File(const std::string& text, bool mark = true) {
  Bytes bytes;
  if (mark) bytes = {0xFF, 0xFE};
  AppendUtf16Le(text, bytes);
  return bytes;
}

struct LineCase {
  const char* line;
  LineKind kind;
  Waypoint row;
};

TEST(ParseMarkerLine, WorkedCases) {
  const LineCase cases[] = {
      {"Marker ( -113.2 48.1 \"West Yard\" 2 )", LineKind::Marker, {"West Yard", "48.1", "-113.2", "2"}},
      {"Marker (-113.2   48.1 \"A\" )", LineKind::Marker, {"A", "48.1", "-113.2", ""}},
      {"Marker ( -113.2 48.1 Yard 2 )", LineKind::Marker, {"Yard", "48.1", "-113.2", "2"}},
      {"Marker ( -113.2 48.1 \"Name (old)\" 2 )", LineKind::Marker,
       {"Name (old)", "48.1", "-113.2", "2"}},
      {"Marker ( -113.2 48.1 \"A\" 2", LineKind::Malformed, {}},
      {"", LineKind::Ignored, {}},
      {"SIMISA@@@@@@@@@@JINX0I0t______", LineKind::Ignored, {}},
      {"    ", LineKind::Malformed, {}},
      {"simisa@@@@@@@@@@jinx0i0t______", LineKind::Malformed, {}},
      // The keyword is not examined, and only the first entry of a line counts.
      {"Anything ( 1 2 \"B\" 3 ) Marker ( 4 5 \"C\" 6 )", LineKind::Marker, {"B", "2", "1", "3"}},
      // A quote inside a name ends it; the rest lands in Extra.
      {"Marker ( 1 2 \"Say \"hi\" 2 )", LineKind::Marker, {"Say", "2", "1", "hi\" 2"}},
      // Tabs are not trimmed (Extra may hold them); letters are loaded unchecked.
      {"Marker ( abc 91 \"T\" \tx\t )", LineKind::Marker, {"T", "91", "abc", "\tx\t"}},
  };
  for (const auto& c : cases) {
    ParsedLine parsed = ParseMarkerLine(c.line);
    EXPECT_EQ(parsed.kind, c.kind) << c.line;
    if (c.kind == LineKind::Marker) {
      EXPECT_EQ(parsed.waypoint, c.row) << c.line;
    }
  }
}

TEST(ParseMarkerLine, TextsThatARowCannotHoldFailTheLine) {
  // A tab would shift the row's fields, a NUL cut the list box's text, a
  // line break split the line the next save writes. Only Extra, which runs
  // to the end of the row, may hold a tab.
  const std::string kinds[] = {"\t", std::string(1, '\0'), "\r", "\n"};
  const char* const fields[] = {"Longitude", "Latitude", "Name", "Extra"};
  for (const std::string& odd : kinds) {
    for (int field = 0; field < 4; ++field) {
      std::string texts[4] = {"-113.2", "48.1", "West Yard", "2"};
      texts[field].insert(1, odd);
      const std::string line = "Marker ( " + texts[0] + " " + texts[1] + " \"" + texts[2] + "\" " +
                               texts[3] + " )";
      const bool holdable = odd == "\t" && field == 3;
      ParsedLine parsed = ParseMarkerLine(line);
      EXPECT_EQ(parsed.kind, holdable ? LineKind::Marker : LineKind::Malformed)
          << fields[field] << " holding character " << static_cast<int>(odd[0]);
      if (holdable) {
        EXPECT_EQ(parsed.waypoint.Extra, texts[3]);
      }
    }
  }
}

TEST(MarkerFileBytes, WestYardAndAnEmptyListExactly) {
  Bytes empty = EncodeMarkerFile({});
  ASSERT_EQ(empty.size(), 66u);
  EXPECT_EQ(empty[0], 0xFF);
  EXPECT_EQ(empty[1], 0xFE);
  EXPECT_EQ(Bytes(empty.end() - 4, empty.end()), (Bytes{0x0D, 0x00, 0x0A, 0x00}));
  EXPECT_EQ(empty, Utf16File("SIMISA@@@@@@@@@@JINX0I0t______\r\n"));

  Bytes west = EncodeMarkerFile({"West Yard\t48.1\t-113.2\t2"});
  EXPECT_EQ(west, Utf16File("SIMISA@@@@@@@@@@JINX0I0t______\r\n"
                            "Marker ( -113.2 48.1 \"West Yard\" 2 )\r\n"));
  EXPECT_EQ(west.size(), 66u + 2 * 36 + 4);
  // A quote in a name is written as it is.
  EXPECT_EQ(MarkerLine({"Say \"hi\"", "1", "2", "2"}), "Marker ( 2 1 \"Say \"hi\"\" 2 )");
}

TEST(MarkerFileBytes, UnicodeNamesAreWrittenAsUtf16Pairs) {
  Bytes bytes = EncodeMarkerFile({"\xF0\x9F\x9A\x82 Z\xC3\xBCrich\t1\t2\t2"});
  auto read = ReadMarkerWaypoints(bytes);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->at(0).Name, "\xF0\x9F\x9A\x82 Z\xC3\xBCrich");
  // U+1F682 is D83D DE82 in UTF-16.
  Bytes pair = {0x3D, 0xD8, 0x82, 0xDE};
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), pair.begin(), pair.end()), bytes.end());
}

std::string RandomName(std::mt19937& random) {
  static const std::vector<std::string> pieces = {
      "Yard", " ", "(old)", "West", "Ost", "Z\xC3\xBCrich", "\xD0\x9C\xD0\xBE\xD1\x81", "#", "-", "'",
      "\xE5\x8C\x97", "\xF0\x9F\x9A\x82", "42", "a", "B"};
  std::string name;
  int count = 1 + static_cast<int>(random() % 5);
  for (int i = 0; i < count; ++i) name += pieces[random() % pieces.size()];
  if (name.front() == ' ') name.insert(0, "N");
  if (name.back() == ' ') name += "E";
  return name;
}

TEST(MarkerFileRoundTrip, HundredsOfGeneratedRowsComeBackInSortedOrder) {
  std::mt19937 random(20261207);
  std::vector<std::string> rows;
  for (int i = 0; i < 400; ++i) {
    std::uniform_real_distribution<double> lat(-90, 90), lon(-180, 180);
    rows.push_back(JoinRow({RandomName(random), std::to_string(lat(random)),
                            std::to_string(lon(random)), std::to_string(i % 3)}));
  }
  SortRows(rows);
  auto read = ReadMarkerWaypoints(EncodeMarkerFile(rows));
  ASSERT_TRUE(read.has_value());
  std::vector<std::string> back;
  for (const auto& waypoint : *read) back.push_back(JoinRow(waypoint));
  EXPECT_EQ(back, rows);
}

std::vector<std::string> GeneratedRows(std::mt19937& random, int count) {
  std::vector<std::string> rows;
  std::uniform_real_distribution<double> lat(-90, 90), lon(-180, 180);
  for (int i = 0; i < count; ++i) {
    rows.push_back(JoinRow({RandomName(random), std::to_string(lat(random)),
                            std::to_string(lon(random)), std::to_string(i % 3)}));
  }
  return rows;
}

std::optional<RowBlock> ReadInPieces(const Bytes& file, std::size_t piece_size) {
  MarkerRowReader reader;
  for (std::size_t at = 0; at < file.size(); at += piece_size) {
    reader.Take(Bytes(file.begin() + static_cast<std::ptrdiff_t>(at),
                      file.begin() + static_cast<std::ptrdiff_t>(std::min(at + piece_size, file.size()))));
  }
  return reader.Finish();
}

TEST(MarkerRowReader, PiecesOfAnySizeReadWhatTheWholeFileReaderReads) {
  std::mt19937 random(7);
  std::vector<std::string> generated = GeneratedRows(random, 300);
  Bytes odd = EncodeMarkerFile({"A\t1\t2\t2"});
  odd.push_back(0x41);
  Bytes split_pair = Utf16File("Marker ( 1 2 \"");
  split_pair.insert(split_pair.end(), {0x3D, 0xD8});
  AppendUtf16Le("\r\n\" 2 )\r\n", split_pair);
  const std::vector<Bytes> files = {
      EncodeMarkerFile(generated),
      EncodeMarkerFile({}),
      Utf16File("\r\nMarker ( 1 2 \"B\" 2 )\r\n\r\nSIMISA@@@@@@@@@@JINX0I0t______\r\n"
                "Marker ( 3 4 \"A\" 2 )\nMarker ( 5 6 \"C\" 2 )\rMarker ( 7 8 \"D\" 2 )"),
      Utf16File("Marker ( 1 2 \"\xF0\x9F\x9A\x82 Z\xC3\xBCrich\" 2 )\r\n"),
      Utf16File("Marker ( 1 2 \"A\" 2 )\r\nMarker ( broken\r\n"),
      Utf16File("Marker ( 1 2 \"A\" 2 )", false),
      odd,
      split_pair,
      Bytes{0xFF},
      Bytes{0xFF, 0xFE},
  };
  for (std::size_t f = 0; f < files.size(); ++f) {
    auto whole = ReadMarkerWaypoints(files[f]);
    for (std::size_t piece_size : {1, 2, 3, 5, 64, 65536}) {
      auto pieces = ReadInPieces(files[f], piece_size);
      ASSERT_EQ(pieces.has_value(), whole.has_value()) << "file " << f << ", pieces of " << piece_size;
      if (!whole) continue;
      ASSERT_EQ(pieces->Count(), whole->size()) << "file " << f << ", pieces of " << piece_size;
      for (std::size_t i = 0; i < whole->size(); ++i) {
        EXPECT_EQ(pieces->Row(i), JoinRow(whole->at(i))) << "file " << f << ", row " << i;
      }
    }
  }
}

TEST(RowBlock, SortedRowsAreInTheListsOrderEqualRowsInFileOrder) {
  std::mt19937 random(17);
  std::vector<std::string> rows = GeneratedRows(random, 300);
  // Rows equal but for letter case keep their file order when sorted.
  rows.push_back("west yard\t1\t2\t2");
  rows.push_back("West Yard\t1\t2\t2");
  RowBlock block;
  for (const auto& row : rows) block.Add(*SplitRow(row));
  std::vector<std::string> sorted = rows;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const std::string& a, const std::string& b) { return RowLess(a, b); });
  std::vector<std::string_view> views = block.SortedRows();
  EXPECT_EQ(std::vector<std::string>(views.begin(), views.end()), sorted);
}

TEST(MarkerFileEncoder, ALargeListComesInWholeLinesOfAboutAPieceAndReadsBack) {
  std::mt19937 random(11);
  const std::vector<std::string> rows = GeneratedRows(random, 5000);
  std::vector<std::size_t> asked;
  MarkerFileEncoder encoder(rows.size(), [&](std::size_t i) {
    asked.push_back(i);
    return rows[i];
  });
  const Bytes line_end = {0x0D, 0x00, 0x0A, 0x00};
  Bytes whole;
  Bytes piece;
  int pieces = 0;
  for (encoder.NextPiece(piece); !piece.empty(); encoder.NextPiece(piece), ++pieces) {
    ASSERT_GE(piece.size(), 4u);
    EXPECT_EQ(Bytes(piece.end() - 4, piece.end()), line_end) << "piece " << pieces;
    // A piece stops at the first line end past its size.
    EXPECT_LT(piece.size(), MarkerFileEncoder::kPieceBytes + 1024) << "piece " << pieces;
    whole.insert(whole.end(), piece.begin(), piece.end());
  }
  EXPECT_GT(pieces, 4);
  EXPECT_EQ(asked.size(), rows.size()) << "each row fetched once";
  EXPECT_TRUE(std::is_sorted(asked.begin(), asked.end()));
  auto read = ReadMarkerWaypoints(whole);
  ASSERT_TRUE(read.has_value());
  ASSERT_EQ(read->size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(JoinRow(read->at(i)), rows[i]) << i;

  MarkerFileEncoder empty(0, [](std::size_t) -> std::string { throw std::logic_error("no rows"); });
  empty.NextPiece(piece);
  EXPECT_EQ(piece.size(), 66u) << "the mark and the header line";
  empty.NextPiece(piece);
  EXPECT_TRUE(piece.empty());

  EXPECT_THROW(MarkerFileEncoder(1, [](std::size_t) { return std::string("no tabs"); })
                   .NextPiece(piece),
               std::invalid_argument)
      << "a row that cannot be written is refused piece by piece too";
}

// A file as the entire list holds it once loaded: its rows, sorted; nullopt
// for a file of incorrect format.
std::optional<std::vector<std::string>> Load(const Bytes& file) {
  auto waypoints = ReadMarkerWaypoints(file);
  if (!waypoints) return std::nullopt;
  std::vector<std::string> rows;
  for (const auto& waypoint : *waypoints) rows.push_back(JoinRow(waypoint));
  SortRows(rows);
  return rows;
}

// What loads must survive a save: the saved file loads as the same rows,
// and saving those gives the same bytes. False when it did not load.
bool ExpectSurvivesASaveIfItLoads(const Bytes& file, const std::string& what) {
  auto loaded = Load(file);
  if (!loaded) return false;
  Bytes saved;
  EXPECT_NO_THROW(saved = EncodeMarkerFile(*loaded)) << what;
  auto reloaded = Load(saved);
  EXPECT_EQ(reloaded, loaded) << what;
  EXPECT_EQ(EncodeMarkerFile(reloaded.value_or(*loaded)), saved) << what;
  return true;
}

// Mostly plain text, with the characters Marker lines are touchy about.
std::string RandomPiece(std::mt19937& random) {
  static const std::string pieces[] = {"\t", std::string(1, '\0'), "\"", "(", ")", " ", "\r", "\n",
                                       "\r\n", "A", "z", "-", "1", ".", "E", "\xE5\x8C\x97",
                                       "Yard", "48.1", "-113", "2", "Marker ( 1 2 \""};
  return pieces[random() % std::size(pieces)];
}

TEST(MarkerFileSave, EverySeedAndMutantThatLoadsSurvivesASave) {
  std::mt19937 random(97);
  int seeds = 0;
  int outcomes[2] = {};  // refused, loaded
  for (const auto& entry : std::filesystem::directory_iterator(TARVIK_FUZZ_SEEDS)) {
    ++seeds;
    std::ifstream in(entry.path(), std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::string name = entry.path().filename().string();
    ExpectSurvivesASaveIfItLoads(bytes, name);
    auto text = DecodeUtf16Le(bytes.data() + 2, bytes.size() - 2);
    if (!StartsWithUnicodeMark(bytes) || !text) continue;
    for (int i = 0; i < 400; ++i) {
      std::string mutant = *text;
      for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) {
        size_t at = random() % (mutant.size() + 1);
        // Not inside a multi-byte character.
        while (at < mutant.size() && (static_cast<unsigned char>(mutant[at]) & 0xC0) == 0x80) ++at;
        mutant.insert(at, RandomPiece(random));
      }
      outcomes[ExpectSurvivesASaveIfItLoads(Utf16File(mutant), name + " " + std::to_string(i))]++;
    }
  }
  EXPECT_GE(seeds, 8) << TARVIK_FUZZ_SEEDS;
  // Both outcomes, many times over, or the property says little.
  EXPECT_GT(outcomes[0], 300);
  EXPECT_GT(outcomes[1], 300);
}

TEST(MarkerFileSave, TheWriterWritesOnlyWhatReadsBackAsTheSameRowsAndRefusesTheRest) {
  std::mt19937 random(4242);
  int outcomes[2] = {};  // refused, written
  for (int i = 0; i < 50000 && std::min(outcomes[0], outcomes[1]) < 400; ++i) {
    std::vector<std::string> rows(1 + random() % 2);
    for (auto& row : rows) {
      for (int field = 0; field < 4; ++field) {
        for (int n = static_cast<int>(random() % 4); n > 0; --n) row += RandomPiece(random);
        if (field < 3) row += '\t';
      }
    }
    SortRows(rows);
    Bytes file;
    try {
      file = EncodeMarkerFile(rows);
    } catch (const std::invalid_argument&) {
      outcomes[0]++;
      continue;
    }
    outcomes[1]++;
    EXPECT_EQ(Load(file), rows) << "rows " << i;
  }
  EXPECT_GE(outcomes[0], 400);
  EXPECT_GE(outcomes[1], 400);
  // Lines the reader loads, but as other waypoints: a name cut at its
  // quote, fields trimmed, a longitude split at its space, an Extra cut at
  // its parenthesis; and lines it cannot load at all.
  for (const std::string& row :
       {std::string("The \"Old\" Mill\t1\t2\t2"), std::string(" A\t1\t2\t2"),
        std::string("A\t1\t2 3\t2"), std::string("A\t1\t2\t2 ) x"),
        std::string("A\0B\t1\t2\t2", 9), std::string("A\rB\t1\t2\t2"),
        std::string("A\t1\t2\t2\r\n"), std::string("no tabs")}) {
    EXPECT_THROW(EncodeMarkerFile({"Fine\t1\t2\t2", row}), std::invalid_argument) << row;
  }
}

TEST(ReadMarkerWaypoints, HeaderAndEmptyLinesAnywhereAndAnyLineEnd) {
  auto read = ReadMarkerWaypoints(Utf16File(
      "\r\nMarker ( 1 2 \"B\" 2 )\r\n\r\nSIMISA@@@@@@@@@@JINX0I0t______\r\n"
      "Marker ( 3 4 \"A\" 2 )\nMarker ( 5 6 \"C\" 2 )\rMarker ( 7 8 \"D\" 2 )"));
  ASSERT_TRUE(read.has_value());
  ASSERT_EQ(read->size(), 4u);
  EXPECT_EQ(read->at(0).Name, "B");
  EXPECT_EQ(read->at(1).Name, "A");
  EXPECT_EQ(read->at(3).Name, "D") << "the last line needs no line end";

  auto header_only = ReadMarkerWaypoints(EncodeMarkerFile({}));
  ASSERT_TRUE(header_only.has_value());
  EXPECT_TRUE(header_only->empty());
}

TEST(ReadMarkerWaypoints, RefusesWhatIsNotUtf16LittleEndian) {
  const std::string good = "SIMISA@@@@@@@@@@JINX0I0t______\r\nMarker ( 1 2 \"A\" 2 )\r\n";
  EXPECT_FALSE(ReadMarkerWaypoints(Bytes(good.begin(), good.end())).has_value()) << "UTF-8 or ANSI";
  Bytes with_utf8_mark = {0xEF, 0xBB, 0xBF};
  with_utf8_mark.insert(with_utf8_mark.end(), good.begin(), good.end());
  EXPECT_FALSE(StartsWithUnicodeMark(with_utf8_mark));
  Bytes big_endian = {0xFE, 0xFF};
  for (char c : good) big_endian.insert(big_endian.end(), {0x00, static_cast<std::uint8_t>(c)});
  EXPECT_FALSE(StartsWithUnicodeMark(big_endian));
  EXPECT_FALSE(StartsWithUnicodeMark({0xFF}));

  Bytes odd = Utf16File(good);
  odd.push_back(0x41);
  EXPECT_FALSE(ReadMarkerWaypoints(odd).has_value()) << "an odd number of bytes";
  Bytes lone_surrogate = Utf16File("Marker ( 1 2 \"");
  lone_surrogate.insert(lone_surrogate.end(), {0x00, 0xDC});
  AppendUtf16Le("\" 2 )\r\n", lone_surrogate);
  EXPECT_FALSE(ReadMarkerWaypoints(lone_surrogate).has_value());
  Bytes split_pair = Utf16File("Marker ( 1 2 \"");
  split_pair.insert(split_pair.end(), {0x3D, 0xD8});
  AppendUtf16Le("\r\n\" 2 )\r\n", split_pair);
  EXPECT_FALSE(ReadMarkerWaypoints(split_pair).has_value()) << "a line end after a high surrogate";
  EXPECT_FALSE(ReadMarkerWaypoints(Utf16File(good + "Marker ( broken\r\n")).has_value())
      << "one bad line fails the whole file";
}

TEST(ReadMarkerWaypoints, AMegabyteLineIsHandled) {
  std::string huge(1 << 20, 'x');
  auto read = ReadMarkerWaypoints(Utf16File("Marker ( 1 2 \"" + huge + "\" 2 )\r\n"));
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->at(0).Name.size(), huge.size());
  EXPECT_FALSE(ReadMarkerWaypoints(Utf16File(huge)).has_value());
}

// A Marker line of exactly `units` UTF-16 code units, its name filling
// all but the frame.
constexpr std::string_view kFrame = "Marker ( 1 2 \"\" 2 )";
std::string MarkerLineOfLength(std::size_t units) {
  return "Marker ( 1 2 \"" + std::string(units - kFrame.size(), 'x') + "\" 2 )";
}

// The same as Utf16File for plain ASCII, quickly enough for megabytes.
Bytes AsciiUtf16File(const std::string& text) {
  Bytes bytes(2 + 2 * text.size(), 0);
  bytes[0] = 0xFF;
  bytes[1] = 0xFE;
  for (std::size_t i = 0; i < text.size(); ++i) bytes[2 + 2 * i] = static_cast<std::uint8_t>(text[i]);
  return bytes;
}

TEST(MarkerRowReader, ALineOfTheLongestLengthIsReadInOneScanAndALongerOneRefused) {
  const Bytes longest = AsciiUtf16File(MarkerLineOfLength(kLongestMarkerLine));
  // Scanned again from its start for every piece, this line of 8 MB in
  // pieces of 1 KB would cost 8,192 scans of 4 MB on average: minutes.
  const auto start = std::chrono::steady_clock::now();
  auto rows = ReadInPieces(longest, 1024);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(rows.has_value());
  EXPECT_EQ(RowName(rows->Row(0)).size(), kLongestMarkerLine - kFrame.size());
  EXPECT_LT(elapsed.count(), 5.0) << "seconds";

  const Bytes longer = AsciiUtf16File(MarkerLineOfLength(kLongestMarkerLine + 1) + "\r\n");
  EXPECT_FALSE(ReadMarkerWaypoints(longer).has_value());
  EXPECT_FALSE(ReadInPieces(longer, 4093).has_value()) << "refused whichever way it is read";
  // What the encoder would write past the limit, it refuses.
  const std::string name(kLongestMarkerLine, 'x');
  EXPECT_THROW(EncodeMarkerFile({name + "\t1\t2\t2"}), std::invalid_argument);
}

}  // namespace
}  // namespace tarvik::waypoints
