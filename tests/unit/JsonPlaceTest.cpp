// Where a message about a session file points: the line of a value found by its keys and
// indices, and file text quoted so that it cannot act on a terminal.
#include <gtest/gtest.h>

#include <string>

#include "session/JsonPlace.h"
#include "session/PrintableText.h"

namespace zw {
namespace {

TEST(JsonPlaceTest, FindsTheLineOfAValueOrOfWhatHoldsIt) {
    const std::string text =
        "{\n"
        " \"a\": 1,\n"
        " \"list\": [\n"
        "  {\"x\": \"}]\\\"\"},\n"
        "  {\"x\": [1, 2],\n"
        "   \"y\": {\"deep\": true}}\n"
        " ],\n"
        " \"a\": {\"b\": null}\n"
        "}\n";
    const JsonPath top;
    const struct {
        const char* what;
        JsonPath where;
        std::size_t line;
    } cases[] = {
        {"the whole document", top, 1},
        {"a key given twice means its last value", top / "a", 8},
        {"into the last value", top / "a" / "b", 8},
        {"an entry of a list", top / "list" / 1, 5},
        {"a string holding brackets and a quote is skipped whole", top / "list" / 1 / "x", 5},
        {"deeper", top / "list" / 1 / "y" / "deep", 6},
        {"an index past the end: the list", top / "list" / 7, 3},
        {"a missing key: the object holding it", top / "list" / std::size_t{0} / "z", 4},
        {"a key into a list: the list", top / "list" / "x", 3},
        {"an index into a number: the number", top / "list" / 1 / "x" / std::size_t{0} / 3, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(lineAt(text, locateInJson(text, c.where)), c.line);
    }
    EXPECT_EQ(lineAt(text, text.size() + 10), 10u);
    EXPECT_EQ(lineAt("", 0), 1u);
}

TEST(JsonPlaceTest, FileTextIsQuotedPrintableAndCut) {
    const struct {
        std::string text;
        std::size_t most;
        std::string shown;
    } cases[] = {
        {"Tan", 60, "Tan"},
        {"a\nb\tc\rd", 60, "a\\nb\\tc\\rd"},
        {"\x1b[2J\x7f", 60, "\\x1b[2J\\x7f"},
        {"M\xc3\xb6"
         "bius \xe2\x88\x9e",
         60,
         "M\xc3\xb6"
         "bius \xe2\x88\x9e"},
        {"\xc2\x9b", 60, "\\x9b"},                         // a control character of the second set
        {"\x89PNG", 60, "\\x89PNG"},                       // a byte that starts no UTF-8 sequence
        {"\xe2\x88", 60, "\\xe2\\x88"},                    // a sequence cut short
        {"\xed\xa0\x80", 60, "\\xed\\xa0\\x80"},           // a surrogate
        {"\xf4\x90\x80\x80", 60, "\\xf4\\x90\\x80\\x80"},  // past U+10FFFF
        {"abcdef", 3, "abc..."},
        {"abc", 3, "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(printable(c.text, c.most), c.shown);
    }
    EXPECT_EQ(inQuotes(std::string(70, 'x')), "\"" + std::string(60, 'x') + "...\"");
}

}  // namespace
}  // namespace zw
