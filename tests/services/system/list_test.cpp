// Entity lists: walks that remove and append objects as they go.
#include "services/system/list.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Item {
    int id = 0;
    TList<Item>::Link link;
};

std::vector<int> Walk(TList<Item>& list) {
    std::vector<int> ids;
    auto walk = list.ObjectEnumerator();
    while (walk.HasNext()) ids.push_back(walk.NextObject()->id);
    return ids;
}

std::shared_ptr<Item> Add(TList<Item>& list, int id) {
    auto item = std::make_shared<Item>();
    item->id = id;
    item->link = list.AddLast(item);
    return item;
}

TEST(ListTest, RemovingTheCurrentObjectContinuesWithTheNext) {
    TList<Item> list;
    for (int id = 1; id <= 4; ++id) Add(list, id);
    std::vector<int> seen;
    auto walk = list.ObjectEnumerator();
    while (walk.HasNext()) {
        auto item = walk.NextObject();
        seen.push_back(item->id);
        if (item->id == 2) list.RemoveLink(item->link);
        if (item->id == 3) {
            EXPECT_TRUE(list.Remove(item.get()));
        }
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Walk(list), (std::vector<int>{1, 4}));
}

TEST(ListTest, RemovingEveryObjectInAWalkEmptiesTheList) {
    TList<Item> list;
    std::weak_ptr<Item> first = Add(list, 1);
    for (int id = 2; id <= 3; ++id) Add(list, id);
    int visited = 0;
    auto walk = list.ObjectEnumerator();
    while (walk.HasNext()) {
        auto item = walk.NextObject();
        list.RemoveLink(item->link);
        ++visited;
    }
    EXPECT_EQ(visited, 3);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_TRUE(first.expired());  // the list held the last reference
}

TEST(ListTest, ObjectsAppendedDuringAWalkAreReached) {
    TList<Item> list;
    Add(list, 1);
    Add(list, 2);
    std::vector<int> seen;
    auto walk = list.ObjectEnumerator();
    while (walk.HasNext()) {
        auto item = walk.NextObject();
        seen.push_back(item->id);
        if (item->id < 4) Add(list, item->id + 2);  // each spawns one more, up to 5
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(ListTest, AnObjectAppendedWhileTheWalkStandsOnTheLastIsReached) {
    TList<Item> list;
    Add(list, 1);
    std::vector<int> seen;
    auto walk = list.ObjectEnumerator();
    while (walk.HasNext()) {
        auto item = walk.NextObject();
        seen.push_back(item->id);
        // The last object spawns one and removes itself, as a dying effect may.
        if (item->id < 3) Add(list, item->id + 1);
        if (item->id == 2) list.RemoveLink(item->link);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Walk(list), (std::vector<int>{1, 3}));
}

TEST(ListTest, AWalkBegunOnAnEmptyListReachesWhatIsAppendedLater) {
    TList<Item> list;
    auto walk = list.ObjectEnumerator();
    EXPECT_FALSE(walk.HasNext());
    Add(list, 7);
    ASSERT_TRUE(walk.HasNext());
    EXPECT_EQ(walk.NextObject()->id, 7);
    EXPECT_FALSE(walk.HasNext());
}

TEST(ListTest, RemoveTakesTheFirstMatchOnlyAndReportsAbsence) {
    TList<Item> list;
    auto a = Add(list, 1);
    auto b = Add(list, 2);
    list.AddLast(a);  // the same object twice
    EXPECT_TRUE(list.Remove(a.get()));
    EXPECT_EQ(Walk(list), (std::vector<int>{2, 1}));
    EXPECT_TRUE(list.Remove(a.get()));
    EXPECT_FALSE(list.Remove(a.get()));
    EXPECT_EQ(Walk(list), (std::vector<int>{2}));
}

}  // namespace
