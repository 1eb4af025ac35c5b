#include <gtest/gtest.h>

#include <vector>

#include "convert/MyConvertPara.h"

namespace {

std::vector<int> Entries(const CConvertPara& p) {
    std::vector<int> v;
    for (int e : p.pageList)
        if (e != 0) v.push_back(e);
    return v;
}

TEST(PageList, ListsAndRanges) {
    MyConvertPara p;
    p.ParsePageList("1,3,7,10-15");
    EXPECT_EQ(Entries(p), (std::vector<int>{1, 3, 7, 10, 11, 12, 13, 14, 15}));
    p.ParsePageList("1,,4");
    EXPECT_EQ(Entries(p), (std::vector<int>{1, 4}));
    p.ParsePageList(",, 2, 5 ,");
    EXPECT_EQ(Entries(p), (std::vector<int>{2, 5}));
    p.ParsePageList("3-3");
    EXPECT_EQ(Entries(p), (std::vector<int>{3}));
}

TEST(PageList, SelectsNothing) {
    MyConvertPara p;
    p.ParsePageList("5-3");
    EXPECT_TRUE(Entries(p).empty());
    p.ParsePageList("-5");  // the range 5 to 0
    EXPECT_TRUE(Entries(p).empty());
    p.ParsePageList("abc");
    EXPECT_TRUE(Entries(p).empty());
    EXPECT_FALSE(p.InPageList(1));
    // Unfilled entries are 0 and pages count from 1.
    EXPECT_FALSE(p.PageSelected(0) && p.PageSelected(1));
}

TEST(PageList, StopsAtOneHundredEntries) {
    MyConvertPara p;
    p.ParsePageList("1-500");
    EXPECT_EQ(p.pageList[99], 100);
    EXPECT_TRUE(p.InPageList(100));
    EXPECT_FALSE(p.InPageList(101));
    p.ParsePageList("7,1-200,150");
    EXPECT_EQ(p.pageList[0], 7);
    EXPECT_EQ(p.pageList[99], 99);
    EXPECT_FALSE(p.InPageList(150));
}

TEST(PageList, ReparseClearsOldEntries) {
    MyConvertPara p;
    p.ParsePageList("1-10");
    p.ParsePageList("20");
    EXPECT_EQ(Entries(p), (std::vector<int>{20}));
}

TEST(PageList, AllPagesFlagIgnoresTheList) {
    MyConvertPara p;
    p.ParsePageList("2");
    p.pageFlags = 0;
    EXPECT_FALSE(p.PageSelected(3));
    EXPECT_TRUE(p.PageSelected(2));
    p.pageFlags = 1;
    EXPECT_TRUE(p.PageSelected(3));
}

TEST(Observer, OperationsWithoutObserverDoNothing) {
    MyConvertPara p;
    p.Progress(50);
    p.Log("line");
    p.FileStarted("a", "b");
    p.FileFinished("a", "b");
    SUCCEED();
}

}  // namespace
