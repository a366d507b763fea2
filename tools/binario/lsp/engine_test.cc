// The language server's parts: editor text and its columns, documents, quick
// fixes, URIs.

#include <gtest/gtest.h>

#include "lsp/documents.h"
#include "lsp/editor_text.h"
#include "lsp/features.h"
#include "lsp/uri.h"

namespace binario::tool {
namespace {

TEST(EditorText, CompilesTheBytesOfTheCodePageAndListsWhatItLacks) {
  struct Case {
    std::string utf8;
    std::string bytes;
    std::vector<std::pair<int, int>> unencodable;  // line, column
  };
  const Case cases[] = {
      {"citt\xc3\xa0", "citt\xe0", {}},         // à
      {"\xe2\x82\xac 5", "\x80 5", {}},         // the euro sign, in 0x80 to 0x9F
      {"a\xf0\x9f\x98\x80z", "a?z", {{1, 2}}},  // an emoji
      {"x\r\n\xc4\x9b,\n\xe2\x86\x92", "x\r\n?,\n?", {{2, 1}, {3, 1}}},  // ě and →, after CR LF, LF
  };
  for (const Case& c : cases) {
    std::vector<Unencodable> lacking;
    EXPECT_EQ(windows_1252_bytes(c.utf8, &lacking), c.bytes) << c.utf8;
    std::vector<std::pair<int, int>> at;
    for (const Unencodable& u : lacking) at.emplace_back(u.line, u.column);
    EXPECT_EQ(at, c.unencodable) << c.utf8;
  }
}

TEST(EditorText, CountsColumnsInUtf16Units) {
  // "è😀x": x is byte 3 to the installer, unit 3 to the editor.
  const std::string line = "\xc3\xa8\xf0\x9f\x98\x80x";
  EXPECT_EQ(utf16_column(line, 1), 0);
  EXPECT_EQ(utf16_column(line, 2), 1);
  EXPECT_EQ(utf16_column(line, 3), 3);
  EXPECT_EQ(utf16_column(line, 9), 4);  // past the end: its end
  EXPECT_EQ(byte_column(line, 3), 3);
  EXPECT_EQ(byte_column(line, 2), 2);  // inside the pair: the emoji's byte
  EXPECT_EQ(byte_column(line, 40), 4);
}

TEST(EditorText, FindsOffsetsOfPositionsAcrossLineEnds) {
  const std::string text =
      "ab\r\nc\xc3\xa8\xf0\x9f\x98\x80"
      "d\rlast";
  const TextLines lines(text);
  ASSERT_EQ(lines.count(), 3);
  EXPECT_EQ(lines.line(1), "ab");
  EXPECT_EQ(lines.line(3), "last");
  EXPECT_EQ(lines.offset(0, 1), 1u);
  EXPECT_EQ(lines.offset(0, 9), 2u);   // past the end of "ab": before its CR LF
  EXPECT_EQ(lines.offset(1, 2), 7u);   // after "cè"
  EXPECT_EQ(lines.offset(1, 3), 7u);   // inside the emoji's pair: at its start
  EXPECT_EQ(lines.offset(1, 4), 11u);  // after the emoji
  EXPECT_EQ(lines.offset(7, 0), text.size());
}

TEST(Documents, AppliesWholeAndIncrementalChangesInOrder) {
  Documents docs;
  docs.open("file:///a_linea.txt", "pendenza, 0, 1\r\nsegnale\r\n", 1);
  EXPECT_TRUE(docs.change("file:///a_linea.txt",
                          {{false, 1, 0, 1, 7, "stazione"},    // replace "segnale"
                           {false, 0, 13, 0, 14, "\xc3\xa8"},  // "1" becomes "è"
                           {false, 0, 14, 0, 14, "!"}},        // after the è: one unit on
                          2));
  EXPECT_EQ(*docs.text("file:///a_linea.txt"), "pendenza, 0, \xc3\xa8!\r\nstazione\r\n");
  EXPECT_TRUE(docs.change("file:///a_linea.txt", {{true, 0, 0, 0, 0, "x"}}, 3));
  EXPECT_EQ(*docs.text("file:///a_linea.txt"), "x");
  EXPECT_FALSE(docs.change("file:///other.txt", {{true, 0, 0, 0, 0, "x"}}, 1));
  docs.close("file:///a_linea.txt");
  EXPECT_EQ(docs.text("file:///a_linea.txt"), nullptr);
}

}  // namespace
}  // namespace binario::tool

namespace binario::tool {
namespace {

TEST(CodeActions, OfferTheOneTextAHintNames) {
  const nlohmann::json range = {{"start", {{"line", 4}, {"character", 20}}},
                                {"end", {{"line", 4}, {"character", 27}}}};
  const std::pair<std::string, std::string> cases[] = {
      {"unknown keyword 'segnlae': the installer passes over this line\nhint: did you mean "
       "'segnale'?",
       "segnale"},
      {"'Sfondo uno' is not read\nhint: write 'sfondo uno'", "sfondo uno"},
      {"the comma in '159,900' ends the value\nhint: write 159900 without a separator", "159900"},
      {"a tab is not a blank\nhint: use spaces", ""},  // no one text to write
      {"values are whole numbers\nhint: values are whole numbers, such as 159", ""},
  };
  for (const auto& [message, fix] : cases) {
    const nlohmann::json diagnostic = {{"range", range}, {"message", message}};
    const nlohmann::json actions =
        code_actions("file:///r_linea.txt", nlohmann::json::array({diagnostic}));
    if (fix.empty()) {
      EXPECT_TRUE(actions.empty()) << message;
      continue;
    }
    ASSERT_EQ(actions.size(), 1u) << message;
    const nlohmann::json edit = actions[0]["edit"]["changes"]["file:///r_linea.txt"][0];
    EXPECT_EQ(edit["newText"], fix);
    EXPECT_EQ(edit["range"], range);
  }
  // What an editor may send that is no diagnostic at all.
  EXPECT_TRUE(
      code_actions("file:///r_linea.txt", nlohmann::json::array({7, "x", nullptr})).empty());
}

}  // namespace
}  // namespace binario::tool

namespace binario::tool {
namespace {

TEST(Uri, MapsFileUrisAndPathsBothWays) {
  EXPECT_EQ(path_of_uri("file:///tmp/BOLOGNA%20CENTRALE_linea.txt"),
            std::filesystem::path("/tmp/BOLOGNA CENTRALE_linea.txt"));
  EXPECT_EQ(path_of_uri("file://localhost/tmp/a-.txt"), std::filesystem::path("/tmp/a-.txt"));
  EXPECT_EQ(path_of_uri("file:///tmp/citt%C3%A0%zz"),
            std::filesystem::path(std::u8string(u8"/tmp/citt\u00e0%zz")));
  EXPECT_TRUE(path_of_uri("untitled:Untitled-1").empty());
  EXPECT_TRUE(path_of_uri("file://server/share/a-.txt").empty());
  EXPECT_EQ(uri_of_path("/tmp/BOLOGNA CENTRALE_IR2230-.txt"),
            "file:///tmp/BOLOGNA%20CENTRALE_IR2230-.txt");
  EXPECT_EQ(path_of_uri(uri_of_path("/tmp/a b/c%d_linea.txt")),
            std::filesystem::path("/tmp/a b/c%d_linea.txt"));
}

}  // namespace
}  // namespace binario::tool
