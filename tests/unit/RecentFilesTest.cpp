#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "session/RecentFiles.h"

namespace zw::test {
namespace {

using List = std::vector<std::string>;

List numbered(int from, int to) {
    List out;
    for (int i = from; i <= to; ++i) {
        out.push_back("/s/" + std::to_string(i) + ".zwmap");
    }
    return out;
}

TEST(RecentFiles, AddingPutsEachInFrontOnceAndKeepsTheNewestEight) {
    struct Case {
        const char* what;
        List before;
        std::string added;
        List after;
    };
    const List eight = numbered(1, 8);
    List eightWithNew = {"/s/new.zwmap"};
    eightWithNew.insert(eightWithNew.end(), eight.begin(), eight.end() - 1);
    List thirdFirst = {"/s/3.zwmap", "/s/1.zwmap", "/s/2.zwmap"};
    thirdFirst.insert(thirdFirst.end(), eight.begin() + 3, eight.end());
    const Case cases[] = {
        {"into an empty list", {}, "/a.zwmap", {"/a.zwmap"}},
        {"newest first", {"/a.zwmap"}, "/b.zwmap", {"/b.zwmap", "/a.zwmap"}},
        {"a listed one moves up, not twice",
         {"/a.zwmap", "/b.zwmap", "/c.zwmap"},
         "/c.zwmap",
         {"/c.zwmap", "/a.zwmap", "/b.zwmap"}},
        {"the first again changes nothing",
         {"/a.zwmap", "/b.zwmap"},
         "/a.zwmap",
         {"/a.zwmap", "/b.zwmap"}},
        {"a ninth drops the oldest", eight, "/s/new.zwmap", eightWithNew},
        {"a listed one in a full list drops none", eight, "/s/3.zwmap", thirdFirst},
        {"an empty path is no file", {"/a.zwmap"}, "", {"/a.zwmap"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecentFiles list(c.before);
        list.add(c.added);
        EXPECT_EQ(list.paths(), c.after);
    }
}

// The kept list comes from a settings file that may have been edited by hand.
TEST(RecentFiles, AKeptListIsTakenInItsOrderWithoutBlanksRepeatsOrExcess) {
    EXPECT_EQ(RecentFiles(List{"/a", "", "/b", "/a", "/c", "/b"}).paths(),
              (List{"/a", "/b", "/c"}));
    EXPECT_EQ(RecentFiles(numbered(1, 20)).paths(), numbered(1, 8));
    EXPECT_TRUE(RecentFiles(List{"", ""}).empty());
}

TEST(RecentFiles, MissingFilesAreDroppedAndNamedAndTheRestKeepTheirOrder) {
    RecentFiles list(List{"/a", "/gone1", "/b", "/gone2", "/c"});
    const std::set<std::string> present = {"/a", "/b", "/c"};
    const List gone = list.dropMissing([&](const std::string& p) { return present.count(p) != 0; });
    EXPECT_EQ(gone, (List{"/gone1", "/gone2"}));
    EXPECT_EQ(list.paths(), (List{"/a", "/b", "/c"}));
    EXPECT_TRUE(list.dropMissing([](const std::string&) { return true; }).empty());

    list.remove("/b");
    EXPECT_EQ(list.paths(), (List{"/a", "/c"}));
    list.clear();
    EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace zw::test
