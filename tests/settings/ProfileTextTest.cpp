#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/ProfileText.h"
#include "settings/TextEncoding.h"

namespace sumwise {
namespace {

struct ReadCase {
    const char* content;
    const char* section;
    const char* key;
    const char* expected; // with default "dflt"
};

TEST(ProfileText, ReadsValuesOrTheDefault) {
    const ReadCase cases[] = {
        {"[Settings]\r\nLeft=1000\r\n", "Settings", "Left", "1000"},
        {"[settings]\r\nLEFT=7\r\n", "SETTINGS", "left", "7"},
        {"[Settings]\r\nTop=1\r\n", "Settings", "Left", "dflt"},
        {"[Other]\r\nLeft=1\r\n", "Settings", "Left", "dflt"},
        {"", "Settings", "Left", "dflt"},
        {"[Settings]\r\nAccount0=a=b==c\r\n", "Settings", "Account0", "a=b==c"},
        {"[Settings]\r\nLeft=\r\n", "Settings", "Left", ""},
        {"[Settings]\nTop=2\nLeft=3\n", "Settings", "Left", "3"},
        {"[Settings]\r\nLeft=3", "Settings", "Left", "3"},
        {"  [ Settings ]  \r\n \tLeft \t= \t 12 \t\r\n", "Settings", "Left", "12"},
        {"[Settings]\r\nName=\" padded \"\r\n", "Settings", "Name", " padded "},
        {"[Settings]\r\nName='x'\r\n", "Settings", "Name", "x"},
        {"[Settings]\r\nName=\"x'\r\n", "Settings", "Name", "\"x'"},
        {"[Settings]\r\nName=\"\r\n", "Settings", "Name", "\""},
        // Keys before the first section, comments and later sections are not the key.
        {"Left=1\r\n[Settings]\r\n", "Settings", "Left", "dflt"},
        {"[Settings]\r\n;Left=1\r\n", "Settings", "Left", "dflt"},
        {"[Settings]\r\n[Other]\r\nLeft=1\r\n", "Settings", "Left", "dflt"},
        {"[Settings]\r\nLeft\r\n", "Settings", "Left", "dflt"},
        {"[Settings]\r\nLeftEdge=1\r\n", "Settings", "Left", "dflt"},
        {"[Settings]\r\nLeft=1\r\nLeft=2\r\n", "Settings", "Left", "1"},
        {"[Settings]\r\n[Settings]\r\nLeft=2\r\n", "Settings", "Left", "dflt"},
        {"\xEF\xBB\xBF[Settings]\r\nLeft=5\r\n", "Settings", "Left", "5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetProfileValue(c.content, c.section, c.key, "dflt"), c.expected) << c.content;
    }
}

TEST(ProfileText, LongValuesAreCutTo1023Characters) {
    const std::string ascii(1500, 'x');
    EXPECT_EQ(GetProfileValue("[S]\r\nK=" + ascii + "\r\n", "S", "K", ""), ascii.substr(0, 1023));
    EXPECT_EQ(GetProfileValue("", "S", "K", ascii), ascii.substr(0, 1023));

    // Characters, not bytes: a two-byte letter is never split.
    std::string accented;
    for (int i = 0; i < 1100; ++i) {
        accented += "\xC3\xA9";
    }
    const std::string read = GetProfileValue("[S]\r\nK=" + accented + "\r\n", "S", "K", "");
    EXPECT_EQ(read, accented.substr(0, 2 * 1023));
    EXPECT_EQ(GetProfileValue("[S]\r\nK=" + ascii.substr(0, 1023) + "\r\n", "S", "K", "").size(),
              1023u);
}

struct WriteCase {
    const char* before;
    const char* key;
    const char* value;
    const char* after; // section "Settings"
};

TEST(ProfileText, WritesInPlaceOrAtTheEndOfTheSection) {
    const WriteCase cases[] = {
        {"", "Left", "5", "[Settings]\r\nLeft=5\r\n"},
        {"[Settings]\r\nLeft=1\r\nTop=2\r\n", "Left", "5", "[Settings]\r\nLeft=5\r\nTop=2\r\n"},
        // Other lines stay byte for byte, LF endings and odd spacing included.
        {"; mine\n[Settings]\nTop = 2 \nLeft=1\n  x y  \n", "Left", "5",
         "; mine\n[Settings]\nTop = 2 \nLeft=5\r\n  x y  \n"},
        {"[settings]\r\n  LEFT = 1\r\n", "Left", "5", "[settings]\r\n  LEFT = 5\r\n"},
        {"[Settings]\r\nLeft=1", "Left", "5", "[Settings]\r\nLeft=5\r\n"},
        // A missing key goes after the section's last line, before the blank lines that
        // separate it from the next section.
        {"[Settings]\r\nTop=2\r\n; end\r\n\r\n[Other]\r\nLeft=9\r\n", "Left", "5",
         "[Settings]\r\nTop=2\r\n; end\r\nLeft=5\r\n\r\n[Other]\r\nLeft=9\r\n"},
        {"[Settings]\r\n", "Left", "5", "[Settings]\r\nLeft=5\r\n"},
        {"[Settings]", "Left", "5", "[Settings]\r\nLeft=5\r\n"},
        {"[Settings]\r\nTop=2", "Left", "5", "[Settings]\r\nTop=2\r\nLeft=5\r\n"},
        {"[Other]\r\nA=1\r\n", "Left", "5", "[Other]\r\nA=1\r\n[Settings]\r\nLeft=5\r\n"},
        {"[Other]\r\nA=1", "Left", "5", "[Other]\r\nA=1\r\n[Settings]\r\nLeft=5\r\n"},
        // A last line ended by a lone CR keeps the text it read as: only its LF is added.
        {"[Settings]\r\nTop=2\r", "Left", "5", "[Settings]\r\nTop=2\r\nLeft=5\r\n"},
        {"[Other]\r\nA=1\r", "Left", "5", "[Other]\r\nA=1\r\n[Settings]\r\nLeft=5\r\n"},
        {"\xEF\xBB\xBF", "Left", "5", "\xEF\xBB\xBF[Settings]\r\nLeft=5\r\n"},
        {"[Settings]\r\nName=x\r\n", "Name", " x ", "[Settings]\r\nName=\" x \"\r\n"},
    };
    for (const auto& c : cases) {
        std::string content = c.before;
        ASSERT_TRUE(SetProfileValue(content, "Settings", c.key, c.value)) << c.before;
        EXPECT_EQ(content, c.after) << c.before;
    }
}

// Reading or writing many keys in one pass must give exactly what one call per key gives,
// on every shape of file the single calls handle.
TEST(ProfileText, OnePassMatchesOneCallPerKey) {
    const char* contents[] = {
        "",
        "\xEF\xBB\xBF",
        "[Settings]",
        "[Settings]\r\nLeft=1\r\nTop=2\r\n",
        "[Settings]\r\nTop=2",
        "[Settings]\r\nTop=2\r",
        "[Settings]\r\nLeft=1",
        "; mine\n[Settings]\nTop = 2 \nLeft=1\n  x y  \n",
        "[settings]\r\n  LEFT = 1\r\nleft=7\r\n",
        "[Settings]\r\nTop=2\r\n; end\r\n\r\n[Other]\r\nLeft=9\r\n",
        "[Other]\r\nA=1",
        "[Other]\r\nA=1\r",
        "[Settings]\r\nMem1=3\r\n[Settings]\r\nMem2=4\r\n",
        "[Settings]\r\nName=\" x \"\r\nMem1\r\n=5\r\n",
    };
    const std::string_view keys[] = {"Left", "Top", "Mem1", "Mem2", "Name", "New"};
    // Writes include a refused value, a key written twice and a value that needs quotes.
    const ProfileWrite writes[] = {{"Top", "20"},    {"New", "n"},     {"Left", "5"},
                                   {"Mem1", "a\nb"}, {"left", "6"},    {"Name", " y "},
                                   {"Mem2", ""},     {"Bad=Key", "1"}, {"Other", "o"}};
    for (const char* text : contents) {
        const ProfileValues found = FindProfileValues(text, "Settings", keys);
        EXPECT_EQ(found.sectionFound, HasProfileSection(text, "Settings")) << text;
        for (std::size_t i = 0; i < std::size(keys); ++i) {
            EXPECT_EQ(found.values[i], FindProfileValue(text, "Settings", keys[i]))
                << text << " " << keys[i];
        }

        std::string single = text;
        std::vector<bool> singleAccepted;
        for (const ProfileWrite& write : writes) {
            singleAccepted.push_back(SetProfileValue(single, "Settings", write.key, write.value));
        }
        std::string batch = text;
        EXPECT_EQ(SetProfileValues(batch, "Settings", writes), singleAccepted) << text;
        EXPECT_EQ(batch, single) << text;
    }
}

TEST(ProfileText, EveryValueReadsBackAsWritten) {
    const char* values[] = {
        "Savings=Cash",
        "=",
        "a==b=",
        "",
        " lead",
        "trail ",
        "\tboth\t",
        "\"quoted\"",
        "'single'",
        "\"",
        "\"open",
        "x\"",
        "; not a comment",
        "[not a section]",
        "Caf\xC3\xA9 \xE2\x80\x93 1",
    };
    for (const char* value : values) {
        std::string content = "[Settings]\r\nOther=1\r\n";
        ASSERT_TRUE(SetProfileValue(content, "Settings", "Account0", value));
        EXPECT_EQ(FindProfileValue(content, "Settings", "Account0"), value) << content;
        ASSERT_TRUE(SetProfileValue(content, "Settings", "Account0", value));
        EXPECT_EQ(FindProfileValue(content, "Settings", "Account0"), value) << content;
        EXPECT_EQ(FindProfileValue(content, "Settings", "Other"), "1");
    }
}

TEST(ProfileText, RefusesWhatCannotBeOneLine) {
    const std::string before = "[Settings]\r\nLeft=1\r\n";
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"Settings", "Left", "1\r\nTop=2"},
        {"Settings", "Left", "a\nb"},
        {"Settings", "Left", "\r"},
        {"Settings", "Le=ft", "1"},
        {"Settings", "", "1"},
        {"Settings", " Left", "1"},
        {"Settings", ";Left", "1"},
        {"Settings", "[Left", "1"},
        {"Set]tings", "Left", "1"},
        {"", "Left", "1"},
        {"Set\ntings", "Left", "1"},
    };
    for (const auto& c : cases) {
        std::string content = before;
        EXPECT_FALSE(SetProfileValue(content, c.section, c.key, c.value)) << c.key << c.value;
        EXPECT_EQ(content, before);
    }
}

TEST(TextEncoding, KeepsUtf8AndReadsOtherBytesAsWindows1252) {
    const struct {
        const char* bytes;
        const char* utf8;
    } cases[] = {
        {"plain", "plain"},
        {"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {"Caf\xE9", "Caf\xC3\xA9"},
        {"\x80 \x96 \x9F \xFF", "\xE2\x82\xAC \xE2\x80\x93 \xC5\xB8 \xC3\xBF"},
        {"\x81\x8D", "\xC2\x81\xC2\x8D"},
        // Broken or forbidden UTF-8 forms fall back byte by byte.
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A"},
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},
        {"\xE9\xC3\xA9", "\xC3\xA9\xC3\xA9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8FromFileBytes(c.bytes), c.utf8) << c.bytes;
    }
}

} // namespace
} // namespace sumwise
