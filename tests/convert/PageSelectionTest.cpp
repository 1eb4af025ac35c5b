#include <gtest/gtest.h>

#include <vector>

#include "convert/MyConvertPara.h"

namespace {

std::vector<int> Entries(const PageSelection& p) {
    std::vector<int> v;
    for (int e : p.List())
        if (e != 0) v.push_back(e);
    return v;
}

TEST(PageList, ListsAndRanges) {
    PageSelection p;
    p.SelectListed("1,3,7,10-15");
    EXPECT_EQ(Entries(p), (std::vector<int>{1, 3, 7, 10, 11, 12, 13, 14, 15}));
    p.SelectListed("1,,4");
    EXPECT_EQ(Entries(p), (std::vector<int>{1, 4}));
    p.SelectListed(",, 2, 5 ,");
    EXPECT_EQ(Entries(p), (std::vector<int>{2, 5}));
    p.SelectListed("3-3");
    EXPECT_EQ(Entries(p), (std::vector<int>{3}));
}

TEST(PageList, SelectsNothing) {
    PageSelection p;
    p.SelectListed("5-3");
    EXPECT_TRUE(Entries(p).empty());
    p.SelectListed("-5");  // the range 5 to 0
    EXPECT_TRUE(Entries(p).empty());
    p.SelectListed("abc");
    EXPECT_TRUE(Entries(p).empty());
    EXPECT_FALSE(p.Listed(1));
    // Unfilled entries are 0 and pages count from 1.
    EXPECT_FALSE(p.Selected(0) && p.Selected(1));
}

TEST(PageList, StopsAtOneHundredEntries) {
    PageSelection p;
    p.SelectListed("1-500");
    EXPECT_EQ(p.List()[99], 100);
    EXPECT_TRUE(p.Listed(100));
    EXPECT_FALSE(p.Listed(101));
    p.SelectListed("7,1-200,150");
    EXPECT_EQ(p.List()[0], 7);
    EXPECT_EQ(p.List()[99], 99);
    EXPECT_FALSE(p.Listed(150));
}

TEST(PageList, ReparseClearsOldEntries) {
    PageSelection p;
    p.SelectListed("1-10");
    p.SelectListed("20");
    EXPECT_EQ(Entries(p), (std::vector<int>{20}));
}

TEST(PageList, AnEmptyTextSelectsEveryPageAndAListedOneNone) {
    PageSelection p;
    p.Select("2");
    EXPECT_FALSE(p.Selected(3));
    EXPECT_TRUE(p.Selected(2));
    EXPECT_TRUE(p.AnyOf(5));
    EXPECT_FALSE(p.AnyOf(1));
    p.Select("");
    EXPECT_TRUE(p.All());
    EXPECT_TRUE(p.Selected(3));
    p.SelectListed("");
    EXPECT_FALSE(p.All());
    EXPECT_FALSE(p.AnyOf(5));
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
