#include "tools/camsim/json_line.h"

#include <gtest/gtest.h>

namespace netlark {
namespace {

TEST(JsonLineTest, TextsAreEscapedIntoPlainAscii) {
    const struct {
        std::string_view text;
        std::string_view json;
    } cases[] = {
        {"admin", R"("admin")"},
        {"", R"("")"},
        {"say \"hi\"", R"("say \"hi\"")"},
        {"back\\slash", R"("back\\slash")"},
        {"tab\tnew\nret\r", R"("tab\tnew\nret\r")"},
        {std::string_view("\x00\x01\x1f", 3), R"("\u0000\u0001\u001f")"},
        {"\x7f\x80\xff", R"("\u007f\u0080\u00ff")"},
        {"/", R"("/")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        EXPECT_EQ(JsonLine().addText("t", c.text).text(), "{\"t\":" + std::string(c.json) + "}");
    }
}

TEST(JsonLineTest, FieldsKeepTheirOrderAndNumbersTheirForm) {
    EXPECT_EQ(JsonLine().text(), "{}");
    EXPECT_EQ(JsonLine()
                  .addText("op", "burst")
                  .addInteger("sent", 100000)
                  .addInteger("delta", -3)
                  .addInteger("key", 4294967295)
                  .addReal("elapsed_s", 1.4926317, 6)
                  .addReal("rate", 66995.66, 1)
                  .text(),
              R"({"op":"burst","sent":100000,"delta":-3,"key":4294967295,"elapsed_s":1.492632,)"
              R"("rate":66995.7})");
}

} // namespace
} // namespace netlark
