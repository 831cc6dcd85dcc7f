#include "operations/FolderSize.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace qv::test {
namespace {

TEST(FolderSize, CountsEveryFileBelowAndNothingALinkLeadsTo) {
    TempFolder tmp;
    tmp.write("Held/a.bin", std::string(1000, 'a'));
    tmp.write("Held/Sub/Deeper/b.bin", "bb");
    tmp.write("Held/Sub/.hidden", "hhh");
    tmp.mkdir("Held/Empty");
    tmp.write("Elsewhere/big.bin", std::string(5000, 'x'));
#ifndef _WIN32
    tmp.link("Elsewhere", "Held/Sub/Link");
    tmp.link("Elsewhere/big.bin", "Held/big-link.bin");
#endif
    const FolderSize held = measure_folder(tmp.fs(), tmp.at("Held"));
    EXPECT_EQ(held.files, 3u);
    EXPECT_EQ(held.bytes, 1005u);
    EXPECT_TRUE(held.complete);

    const FolderSize none = measure_folder(tmp.fs(), tmp.at("Missing"));
    EXPECT_EQ(none.files, 0u);
    EXPECT_TRUE(none.complete);
}

}  // namespace
}  // namespace qv::test
