#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Unit2.h"

// These tests read the stock text on their own terms (line kinds and whitespace
// tokens) so they do not lean on the handling library they help to check.
namespace {

enum class Kind { Empty, Comment, SwitchedOff, Car, Bike, Flying, Boat, Anim };

Kind KindOf(std::string_view line) {
  if (line.empty()) return Kind::Empty;
  switch (line.front()) {
    case ';':
      return Kind::Comment;
    case '#':
      return Kind::SwitchedOff;
    case '!':
      return Kind::Bike;
    case '$':
      return Kind::Flying;
    case '%':
      return Kind::Boat;
    case '^':
      return Kind::Anim;
    default:
      return Kind::Car;
  }
}

std::vector<std::string_view> Tokens(std::string_view line) {
  constexpr std::string_view kBlank = " \t\r\n\v\f";
  std::vector<std::string_view> tokens;
  std::size_t pos = line.find_first_not_of(kBlank);
  while (pos != std::string_view::npos) {
    const std::size_t end = line.find_first_of(kBlank, pos);
    tokens.push_back(line.substr(pos, end - pos));
    pos = end == std::string_view::npos ? end : line.find_first_not_of(kBlank, end);
  }
  return tokens;
}

struct Line {
  int number;  // 1-based, for messages
  Kind kind;
  std::vector<std::string_view> tokens;
};

// Every line of the stock text; the text ends with LF, so no empty tail is kept.
const std::vector<Line>& StockLines() {
  static const std::vector<Line> lines = [] {
    std::vector<Line> out;
    std::string_view text = DefaultHandlingText();
    int number = 0;
    while (!text.empty()) {
      const std::size_t end = text.find('\n');
      const std::string_view line = text.substr(0, end);
      out.push_back({++number, KindOf(line), Tokens(line)});
      text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return out;
  }();
  return lines;
}

std::vector<const Line*> LinesOf(Kind kind) {
  std::vector<const Line*> out;
  for (const Line& line : StockLines())
    if (line.kind == kind) out.push_back(&line);
  return out;
}

// The vehicle name: token 1 of a car line, token 2 of a bike, flying or boat line.
std::string_view NameOf(const Line& line) {
  return line.kind == Kind::Car ? line.tokens.at(0) : line.tokens.at(1);
}

bool ParseInt(std::string_view token, int& value) {
  const char* last = token.data() + token.size();
  const auto [ptr, ec] = std::from_chars(token.data(), last, value);
  return ec == std::errc{} && ptr == last;
}

// Digit 1 is the rightmost of eight hex digits; a shorter text has leading zeros left out.
int FlagDigit(std::string_view flags, int digit) {
  if (static_cast<std::size_t>(digit) > flags.size()) return 0;
  const char c = flags[flags.size() - digit];
  return c <= '9' ? c - '0' : c - 'A' + 10;
}

TEST(StockHandlingText, EmbeddedBytesAreTheDataFile) {
  std::ifstream file(QUINTREL_STOCK_HANDLING_FILE, std::ios::binary);
  ASSERT_TRUE(file) << QUINTREL_STOCK_HANDLING_FILE;
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  EXPECT_EQ(DefaultHandlingText(), bytes);
}

TEST(StockHandlingText, InsertAppendsTheWholeTextToTheStream) {
  std::ostringstream out;
  out << "before|";
  InsertDefaultHandlingText(out);
  EXPECT_TRUE(out.good());
  EXPECT_EQ(out.str(), "before|" + std::string(DefaultHandlingText()));
}

TEST(StockHandlingText, SizeAndLineEnds) {
  const std::string_view text = DefaultHandlingText();
  EXPECT_EQ(text.size(), 40978u);
  EXPECT_EQ(text.find('\r'), std::string_view::npos) << "LF line ends only";
  EXPECT_EQ(text.find('\0'), std::string_view::npos);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n') << "the last line ends with LF too";
}

TEST(StockHandlingText, LineCountsPerKind) {
  const struct {
    Kind kind;
    std::size_t count;
    const char* what;
  } rows[] = {
      {Kind::Empty, 0, "blank lines"},     {Kind::Comment, 230, "';' comment lines"},
      {Kind::SwitchedOff, 2, "'#' lines"}, {Kind::Car, 125, "car lines"},
      {Kind::Bike, 7, "bike lines"},       {Kind::Flying, 6, "flying lines"},
      {Kind::Boat, 8, "boat lines"},       {Kind::Anim, 30, "anim group lines"},
  };
  for (const auto& row : rows) EXPECT_EQ(LinesOf(row.kind).size(), row.count) << row.what;
}

TEST(StockHandlingText, EveryDataLineIsFull) {
  const std::map<Kind, std::size_t> full = {
      {Kind::Car, 37}, {Kind::Bike, 17}, {Kind::Flying, 24}, {Kind::Boat, 21}, {Kind::Anim, 22}};
  for (const Line& line : StockLines()) {
    const auto it = full.find(line.kind);
    if (it != full.end()) {
      EXPECT_EQ(line.tokens.size(), it->second) << "line " << line.number;
    }
  }
}

TEST(StockHandlingText, SwitchedOffLinesAreOneCarAndOneFlyingLine) {
  std::multiset<std::pair<Kind, std::size_t>> found;
  for (const Line* line : LinesOf(Kind::SwitchedOff)) {
    // Without its '#' the line must be a full data line again.
    std::vector<std::string_view> tokens = line->tokens;
    tokens.front().remove_prefix(1);
    if (tokens.front().empty()) tokens.erase(tokens.begin());
    ASSERT_FALSE(tokens.empty()) << "line " << line->number;
    found.insert({KindOf(tokens.front()), tokens.size()});
  }
  const std::multiset<std::pair<Kind, std::size_t>> expected = {{Kind::Car, 37},
                                                                {Kind::Flying, 24}};
  EXPECT_EQ(found, expected);
}

TEST(StockHandlingText, VehicleNamesAreShortUpperCaseWords) {
  std::set<std::string_view> carNames;
  for (Kind kind : {Kind::Car, Kind::Bike, Kind::Flying, Kind::Boat}) {
    for (const Line* line : LinesOf(kind)) {
      const std::string_view name = NameOf(*line);
      EXPECT_TRUE(!name.empty() && name.size() <= 10 &&
                  name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") ==
                      std::string_view::npos)
          << "line " << line->number << ": " << name;
      if (kind == Kind::Car) carNames.insert(name);
    }
  }
  // The ordering rules of the catalogue need both of these to be exercised.
  const bool digitFirst = std::any_of(carNames.begin(), carNames.end(), [](std::string_view n) {
    return n[0] >= '0' && n[0] <= '9';
  });
  EXPECT_TRUE(digitFirst) << "a name that starts with a digit";
  bool prefixPair = false;
  for (auto it = carNames.begin(); it != carNames.end(); ++it) {
    const auto next = std::next(it);
    if (next != carNames.end() && next->starts_with(*it)) prefixPair = true;
  }
  EXPECT_TRUE(prefixPair) << "a name that is the start of another name";
}

TEST(StockHandlingText, NoNameRepeatsWithinAKind) {
  for (Kind kind : {Kind::Car, Kind::Bike, Kind::Flying, Kind::Boat}) {
    std::set<std::string_view> seen;
    for (const Line* line : LinesOf(kind))
      EXPECT_TRUE(seen.insert(NameOf(*line)).second)
          << "line " << line->number << " repeats " << NameOf(*line);
  }
}

TEST(StockHandlingText, EverySpecialVehicleHasACarLineAndOneSpecialLine) {
  std::set<std::string_view> carNames;
  for (const Line* line : LinesOf(Kind::Car)) carNames.insert(NameOf(*line));
  std::map<std::string_view, int> specialLines;
  for (Kind kind : {Kind::Bike, Kind::Flying, Kind::Boat}) {
    for (const Line* line : LinesOf(kind)) {
      EXPECT_TRUE(carNames.contains(NameOf(*line))) << "no car line for " << NameOf(*line);
      ++specialLines[NameOf(*line)];
    }
  }
  for (const auto& [name, count] : specialLines)
    EXPECT_EQ(count, 1) << name << " has more than one special line";
}

TEST(StockHandlingText, AnimGroupsAreNumberedZeroToTwentyNine) {
  std::set<int> numbers;
  for (const Line* line : LinesOf(Kind::Anim)) {
    int number = -1;
    int specialFlag = -1;
    ASSERT_TRUE(ParseInt(line->tokens.at(1), number)) << "line " << line->number;
    EXPECT_TRUE(numbers.insert(number).second) << "group " << number << " twice";
    // SpecialFlag, the last value, is a sum of the bit values 1 to 64.
    EXPECT_TRUE(ParseInt(line->tokens.back(), specialFlag) && specialFlag >= 0 && specialFlag < 128)
        << "line " << line->number << ": " << line->tokens.back();
  }
  ASSERT_EQ(numbers.size(), 30u);
  EXPECT_EQ(*numbers.begin(), 0);
  EXPECT_EQ(*numbers.rbegin(), 29);
}

TEST(StockHandlingText, CarLinesNameAnAnimGroupAndFlagTheirKind) {
  // Digit 7 of mFlags says what a vehicle is: 1 bike, 2 helicopter, 4 plane, 8 boat.
  std::map<std::string_view, std::set<int>> allowed;
  for (const Line* line : LinesOf(Kind::Bike)) allowed[NameOf(*line)] = {1};
  for (const Line* line : LinesOf(Kind::Flying)) allowed[NameOf(*line)] = {2, 4};
  for (const Line* line : LinesOf(Kind::Boat)) allowed[NameOf(*line)] = {8};
  for (const Line* line : LinesOf(Kind::Car)) {
    const std::string_view name = NameOf(*line);
    const std::string_view mFlags = line->tokens.at(34);
    const std::string_view hFlags = line->tokens.at(35);
    for (std::string_view flags : {mFlags, hFlags})
      EXPECT_TRUE(!flags.empty() && flags.size() <= 8 &&
                  flags.find_first_not_of("0123456789ABCDEF") == std::string_view::npos)
          << name << ": flags " << flags;
    const auto it = allowed.find(name);
    const std::set<int> kindDigit = it == allowed.end() ? std::set<int>{0} : it->second;
    EXPECT_TRUE(kindDigit.contains(FlagDigit(mFlags, 7))) << name << ": mFlags " << mFlags;

    int animGroup = -1;
    EXPECT_TRUE(ParseInt(line->tokens.at(36), animGroup) && animGroup >= 0 && animGroup <= 29)
        << name << ": anim group " << line->tokens.at(36);
  }
}

}  // namespace
