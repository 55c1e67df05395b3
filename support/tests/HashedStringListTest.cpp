#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "MessageBoxRecorder.h"
#include "YVclUtil/EYGeneral.h"
#include "YVclUtil/Tyhashedstringlist.h"

using namespace YVclUtil;

namespace {

TObject* Tag(std::uintptr_t N)
{
    return reinterpret_cast<TObject*>(N);
}

template <typename TFn>
std::string RaisedMessage(TFn Fn)
{
    try {
        Fn();
    } catch (const EYGeneral& E) {
        return E.Message;
    }
    return "<nothing raised>";
}

struct HashedList : ::testing::Test {
    // Declared before the list, so that they outlive its destructor's calls.
    std::vector<std::string> Deleted;
    std::vector<int> DeletedIndexes;
    TYStrTab Tab;
    TYHashedStringList List{&Tab};
};

} // namespace

TEST(HashedStringListKey, KnownKeysAndBuckets)
{
    const struct { std::string Name; std::uint64_t Key; unsigned Bucket; } Cases[] = {
        {"abc", 0x3D83FF29F3DF2A68ull, 104}, {"\xE9", 0x57FFFFFF400000C5ull, 69}, {"", 0, 0}};
    for (const auto& C : Cases) {
        unsigned int Length = 99;
        EXPECT_EQ(TYHashedStringList::StrToHashKey(C.Name.c_str(), &Length), C.Key) << C.Name;
        EXPECT_EQ(Length, C.Name.size());
        EXPECT_EQ(static_cast<std::uint32_t>(C.Key) & 0x7F, C.Bucket);
    }
    unsigned int Length = 99;
    EXPECT_EQ(TYHashedStringList::StrToHashKey(nullptr, &Length), 0u);
    EXPECT_EQ(Length, 0u);
    EXPECT_NE(TYHashedStringList::StrToHashKey("x", nullptr), 0u);
}

TEST_F(HashedList, AddAndFindInInsertionOrder)
{
    EXPECT_EQ(List.Add("GLOBAL"), 0);
    EXPECT_EQ(List.Add("MON", Tag(8)), 1);
    EXPECT_EQ(List.Count, 2);
    EXPECT_EQ(List.IndexOf("MON"), 1);
    EXPECT_EQ(List.IndexOf("mon"), -1) << "names match exactly";
    EXPECT_EQ(List.Strings(0), "GLOBAL");
    EXPECT_EQ(List.Objects(1), Tag(8));
    EXPECT_EQ(List.Objects(0), nullptr);
    EXPECT_EQ(Tab.ChainCount, 4) << "names and entries are cells of the shared table";
}

TEST_F(HashedList, RefusedNames)
{
    const std::string Max(256, 'n'), TooLong(257, 'n');
    EXPECT_EQ(List.Add(nullptr), -1);
    EXPECT_EQ(List.Add(""), -1);
    EXPECT_EQ(List.IndexOf(nullptr), -1);
    EXPECT_EQ(List.IndexOf(""), -1);
    EXPECT_EQ(List.Add(TooLong.c_str()), -1);
    EXPECT_EQ(List.Add(Max.c_str()), 0);
    EXPECT_EQ(List.Strings(0), Max);
    EXPECT_EQ(List.Count, 1);
}

TEST_F(HashedList, AddingAPresentNameReplacesOnlyTheObject)
{
    std::vector<std::pair<int, TObject*>> Calls;
    List.OnReplace = [&](TObject* Sender, int Index) {
        EXPECT_EQ(Sender, &List);
        Calls.emplace_back(Index, List.Objects(Index));
    };
    List.Add("a", Tag(1));
    List.Add("b", Tag(2));
    EXPECT_EQ(List.Add("b", Tag(3)), 1);
    EXPECT_EQ(List.Count, 2);
    EXPECT_EQ(List.Objects(1), Tag(3));
    EXPECT_EQ(Calls, (std::vector<std::pair<int, TObject*>>{{1, Tag(2)}})) << "once, before the object changes";
    List.pw_Objects(1, Tag(4));
    EXPECT_EQ(Calls.size(), 1u) << "setting Objects notifies nobody";
}

TEST_F(HashedList, DeleteMovesLaterItemsDown)
{
    List.OnDelete = [this](TObject*, int Index) { Deleted.push_back(List.Strings(Index)); };
    List.Add("one");
    List.Add("two");
    List.Add("three");
    EXPECT_TRUE(List.Delete(0));
    EXPECT_EQ(Deleted, (std::vector<std::string>{"one"}));
    EXPECT_EQ(List.Count, 2);
    EXPECT_EQ(List.IndexOf("two"), 0);
    EXPECT_EQ(List.IndexOf("three"), 1);
    EXPECT_EQ(List.IndexOf("one"), -1);
    EXPECT_EQ(List.Strings(1), "three");
    EXPECT_FALSE(List.Delete(2));
    EXPECT_FALSE(List.Delete(-1));
    EXPECT_EQ(Deleted.size(), 1u);
}

TEST_F(HashedList, DeletingWithinOneBucketChain)
{
    // Names that share a bucket, so that the head, a middle and the tail of
    // one chain are unlinked.
    std::map<unsigned, std::vector<std::string>> ByBucket;
    std::vector<std::string> Names;
    for (int I = 0; Names.empty(); ++I) {
        std::string Name = "SCH_SH_" + std::to_string(I);
        unsigned Bucket = static_cast<std::uint32_t>(TYHashedStringList::StrToHashKey(Name.c_str(), nullptr)) & 0x7F;
        ByBucket[Bucket].push_back(Name);
        if (ByBucket[Bucket].size() == 5)
            Names = ByBucket[Bucket];
    }
    for (const std::string& N : Names)
        List.Add(N.c_str());
    for (const char* Order : {"2", "0", "4"}) {   // middle, head, tail
        const std::string& Gone = Names[static_cast<size_t>(Order[0] - '0')];
        ASSERT_TRUE(List.Delete(List.IndexOf(Gone.c_str())));
        EXPECT_EQ(List.IndexOf(Gone.c_str()), -1);
    }
    EXPECT_EQ(List.Count, 2);
    EXPECT_EQ(List.Strings(List.IndexOf(Names[1].c_str())), Names[1]);
    EXPECT_EQ(List.Strings(List.IndexOf(Names[3].c_str())), Names[3]);
    EXPECT_EQ(List.Add(Names[4].c_str()), 2) << "a deleted name can come back";
}

TEST_F(HashedList, ListTabGrowsAndShrinksInSteps)
{
    for (int I = 0; I < 1024; ++I)
        List.Add(("k" + std::to_string(I)).c_str());
    EXPECT_EQ(List.ListTabSize, 1024);
    List.Add("k1024");
    EXPECT_EQ(List.ListTabSize, 2048);
    EXPECT_EQ(List.Count, 1025);
    EXPECT_TRUE(List.Delete(List.Count - 1));
    EXPECT_EQ(List.ListTabSize, 1024);
    for (int I = 0; I < 1023; ++I)
        List.Delete(0);
    EXPECT_EQ(List.ListTabSize, 1024) << "never below one step";
    EXPECT_EQ(List.Strings(0), "k1023");
    List.OnDelete = [this](TObject*, int Index) { DeletedIndexes.push_back(Index); };
    List.Add("again");
    EXPECT_TRUE(List.DeleteAll());
    EXPECT_EQ(DeletedIndexes, (std::vector<int>{0, 1}));
    EXPECT_EQ(List.ListTab, nullptr);
    EXPECT_EQ(List.ListTabSize, 0);
    EXPECT_EQ(List.Count, 0);
    EXPECT_EQ(List.IndexOf("again"), -1);
    EXPECT_EQ(Tab.ChainCount, 0);
}

TEST_F(HashedList, BadIndexesRaise)
{
    List.Add("a");
    List.Add("b");
    List.Add("c");
    EXPECT_EQ(RaisedMessage([&] { List.Strings(3); }), "TYHashedStringList: Invalid Index for Strings[3]");
    EXPECT_EQ(RaisedMessage([&] { List.Objects(-1); }), "TYHashedStringList: Invalid Index for Objects[-1]");
    EXPECT_EQ(RaisedMessage([&] { List.pw_Objects(7, nullptr); }), "TYHashedStringList: Invalid Index for Objects[7]");
    EXPECT_EQ(RaisedMessage([&] { List.pw_Strings(0, "x"); }), "TYHashedStringList: Strings[ ] is read only");
    EXPECT_EQ(List.Strings(0), "a");
}

TEST(HashedStringListShared, ListsOnOneTableKeepTheirNamesApart)
{
    TYStrTab Tab;
    auto First = std::make_unique<TYHashedStringList>(&Tab);
    TYHashedStringList Second(&Tab);
    First->Add("same");
    First->Add("first only");
    Second.Add("same", Tag(2));
    EXPECT_EQ(Second.IndexOf("first only"), -1);
    EXPECT_EQ(Second.Count, 1);
    std::vector<int> Deleted;
    First->OnDelete = [&](TObject*, int Index) { Deleted.push_back(Index); };
    First.reset();
    EXPECT_EQ(Deleted, (std::vector<int>{0, 1})) << "the destructor deletes every item";
    EXPECT_EQ(Second.Strings(0), "same");
    EXPECT_EQ(Second.Objects(0), Tag(2));
    EXPECT_EQ(Tab.ChainCount, 2);
}

TEST(HashedStringListFailed, WithoutATableItShowsAnErrorAndRefusesEverything)
{
    TMessageBoxRecorder Recorder;
    TYHashedStringList List(nullptr);
    ASSERT_EQ(Recorder.Boxes.size(), 1u);
    EXPECT_EQ(Recorder.Boxes[0].Caption, "TYHashedStringList");
    EXPECT_EQ(Recorder.Boxes[0].Text, "Err: The user specified TYStrTab* is NULL !!!");
    EXPECT_EQ(List.Add("a"), -1);
    EXPECT_EQ(List.IndexOf("a"), -1);
    EXPECT_FALSE(List.Delete(0));
    EXPECT_TRUE(List.DeleteAll());
    EXPECT_THROW(List.Strings(0), EYGeneral);
}

// Long lists, whose bucket table outgrows its first 128 buckets: every name
// keeps its index through growth and deletes, also when many keys share one
// bucket of 128 or one bucket of the grown table.
namespace {

struct ManyKeysCase {
    const char* Name;
    int SpreadKeys;       // names with keys of any bucket
    int SharedKeys;       // names whose keys agree in their low SharedBits bits
    unsigned SharedBits;
};

void PrintTo(const ManyKeysCase& C, std::ostream* Out)
{
    *Out << C.Name;
}

std::vector<std::string> ManyNames(const ManyKeysCase& C)
{
    std::vector<std::string> Names;
    for (int I = 0; I < C.SpreadKeys; ++I)
        Names.push_back("SCH_KEY_" + std::to_string(I));
    const std::uint32_t Mask = (1u << C.SharedBits) - 1;
    const std::uint32_t Wanted = static_cast<std::uint32_t>(TYHashedStringList::StrToHashKey("SHARED_0", nullptr)) & Mask;
    for (int I = 0; static_cast<int>(Names.size()) < C.SpreadKeys + C.SharedKeys; ++I) {
        std::string Name = "SHARED_" + std::to_string(I);
        if ((static_cast<std::uint32_t>(TYHashedStringList::StrToHashKey(Name.c_str(), nullptr)) & Mask) == Wanted)
            Names.push_back(Name);
    }
    std::shuffle(Names.begin(), Names.end(), std::mt19937(7430));
    return Names;
}

// Describes the first item whose index, name or object differs from the
// model, or gives "" when all agree.
std::string FirstDifference(TYHashedStringList& List, const std::vector<std::string>& Names,
                            const std::vector<TObject*>& Objects)
{
    if (List.Count != static_cast<int>(Names.size()))
        return "Count " + std::to_string(List.Count) + " instead of " + std::to_string(Names.size());
    for (int I = 0; I < List.Count; ++I) {
        const std::string& N = Names[static_cast<size_t>(I)];
        if (List.IndexOf(N.c_str()) != I)
            return N + ": IndexOf gives " + std::to_string(List.IndexOf(N.c_str())) + " instead of " + std::to_string(I);
        if (List.Strings(I) != N)
            return "Strings[" + std::to_string(I) + "] is " + List.Strings(I) + " instead of " + N;
        if (List.Objects(I) != Objects[static_cast<size_t>(I)])
            return "Objects[" + std::to_string(I) + "] of " + N + " changed";
    }
    return "";
}

struct HashedListManyKeys : HashedList, ::testing::WithParamInterface<ManyKeysCase> {};

} // namespace

TEST_P(HashedListManyKeys, IndicesHoldThroughGrowthDeletesAndReplaces)
{
    std::vector<std::string> Names = ManyNames(GetParam());
    std::vector<TObject*> Objects;
    for (size_t I = 0; I < Names.size(); ++I) {
        ASSERT_EQ(List.Add(Names[I].c_str(), Tag(I + 1)), static_cast<int>(I)) << Names[I];
        Objects.push_back(Tag(I + 1));
    }
    EXPECT_GT(List.HashTabSize, YHASHEDSTRINGLIST_BUCKETS) << "the bucket table grows with the list";
    EXPECT_EQ(FirstDifference(List, Names, Objects), "");

    // Deletes in the middle of the list, and of the long chains.
    std::vector<std::string> Gone;
    const int Deletes = List.Count / 4;
    for (int Step = 0; Step < Deletes; ++Step) {
        const int Index = (Step % 3 == 0) ? List.Count / 2 : List.Count - 1 - 3 * Step;
        ASSERT_TRUE(List.Delete(Index));
        Gone.push_back(Names[static_cast<size_t>(Index)]);
        Names.erase(Names.begin() + Index);
        Objects.erase(Objects.begin() + Index);
    }
    EXPECT_EQ(FirstDifference(List, Names, Objects), "");
    for (const std::string& N : Gone)
        ASSERT_EQ(List.IndexOf(N.c_str()), -1) << N << " was deleted";

    std::vector<int> Replaced;
    List.OnReplace = [&](TObject*, int Index) { Replaced.push_back(Index); };
    EXPECT_EQ(List.Add(Names[3].c_str(), Tag(99999)), 3);
    Objects[3] = Tag(99999);
    EXPECT_EQ(Replaced, (std::vector<int>{3}));
    const int Back = List.Count;
    EXPECT_EQ(List.Add(Gone[0].c_str(), Tag(88888)), Back) << "a deleted name comes back at the end";
    Names.push_back(Gone[0]);
    Objects.push_back(Tag(88888));
    EXPECT_EQ(FirstDifference(List, Names, Objects), "");

    EXPECT_TRUE(List.DeleteAll());
    EXPECT_EQ(List.HashTabSize, YHASHEDSTRINGLIST_BUCKETS);
    EXPECT_EQ(List.IndexOf(Names[0].c_str()), -1);
    EXPECT_EQ(List.Add(Names[0].c_str()), 0);
    EXPECT_EQ(List.IndexOf(Names[0].c_str()), 0);
}

INSTANTIATE_TEST_SUITE_P(Lists, HashedListManyKeys,
                         ::testing::Values(ManyKeysCase{"SpreadKeys", 5000, 0, 0},
                                           ManyKeysCase{"AllInOneBucketOf128", 0, 1500, 7},
                                           ManyKeysCase{"ALongChainInTheGrownTable", 4500, 400, 12}),
                         [](const ::testing::TestParamInfo<ManyKeysCase>& Info) { return std::string(Info.param.Name); });
