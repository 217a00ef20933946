#include <gtest/gtest.h>

#include "astronomy/TextEncoding.h"

using namespace astronomy;

TEST(TextEncoding, Windows1252AndUtf8) {
    // Windows-1252: 0xC4 "Ä", 0xF6 "ö", 0xDF "ß", 0x80 "€" (code page table).
    EXPECT_EQ(Cp1252ToUtf8("\xC4qui K\xF6ln Stra\xDF" "e \x80"), "Äqui Köln Straße €");
    EXPECT_EQ(Utf8ToCp1252("Äqui Köln Straße €"), "\xC4qui K\xF6ln Stra\xDF" "e \x80");
    EXPECT_EQ(Utf8ToCp1252("α Ω"), "? ?");  // not in the code page
    EXPECT_EQ(Utf8ToCp1252("a\xFF" "b"), "a?b");  // stray byte
    EXPECT_TRUE(IsValidUtf8("Südpol"));
    EXPECT_FALSE(IsValidUtf8("S\xFC" "dpol"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));      // cut short
    // Files: UTF-8 (with or without byte order mark) stays, the rest is 1252.
    EXPECT_EQ(FileTextToUtf8("\xEF\xBB\xBFM\xC3\xBCnchen"), "München");
    EXPECT_EQ(FileTextToUtf8("M\xFCnchen"), "München");
    EXPECT_EQ(FileTextToUtf8(""), "");
}
