// The whole-text rule every section text and every rewritten aircraft.cfg is built on.
#include "simfiles/WholeText.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(WholeText, JoinsLinesOfAnyEndingByCrLfDroppingLeadingEmptyLines) {
    const struct {
        const char* bytes;
        const char* text;
    } cases[] = {
        {"", ""},
        {"a", "a"},
        {"a\r\n", "a"},
        {"\r\n\n\r[x]\r\n", "[x]"},
        {"a\rb\nc\r\n\r\nd\r", "a\r\nb\r\nc\r\n\r\nd"},
        {"a\r\r\nb\n\n", "a\r\n\r\nb\r\n"},
        {"\n\n", ""},
        {"x=\xE9t\xE9\n\ty", "x=\xE9t\xE9\r\n\ty"},
        // A byte-order mark is no part of the first line (a header would not be seen).
        {"\xEF\xBB\xBF[fltsim.0]\r\ntitle=A", "[fltsim.0]\r\ntitle=A"},
        {"\xEF\xBB\xBF\r\n\xEF\xBB\xBFx", "\xEF\xBB\xBFx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(join_whole_text(c.bytes), c.text);
    }
}

}  // namespace
}  // namespace qv
