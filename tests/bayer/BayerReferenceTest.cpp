// Every exported member of both builds against the reference model, byte for
// byte, on random mosaics of many sizes, with 24-bit and 32-bit output.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "BayerTestSupport.h"

namespace bayertest {
namespace {

const std::vector<std::pair<int, int>> kSizes = {
    {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 8}, {8, 6}, {7, 5}, {9, 11}, {2, 7}, {7, 2},
    {3, 2}, {2, 3}, {5, 9}, {33, 17}, {67, 10}, {130, 12}, {640, 480},
    // Wider than one strip of the Laplacian interior (4096 columns).
    {4101, 7}, {4170, 9},
};

class MatchesReference : public ::testing::TestWithParam<std::tuple<bool, Algorithm>> {};

TEST_P(MatchesReference, EveryMemberOnEverySize) {
    const auto [parallel, algorithm] = GetParam();
    const Library& library = Build(parallel);
    const ThreadCountRestorer restore(library);
    const Signature signature = SignatureOf(algorithm);
    const bool wide = signature == Signature::kColour16 || signature == Signature::kGray16;
    const bool gray = signature == Signature::kGray8 || signature == Signature::kGray16;
    const std::vector<unsigned short> bitCounts = gray ? std::vector<unsigned short>{8}
                                                       : std::vector<unsigned short>{24, 32};
    const std::vector<Member> members = MembersOf(algorithm);
    ASSERT_FALSE(members.empty());
    for (const auto& [width, height] : kSizes) {
        for (const bool extremes : {false, true}) {
            const ref::Mosaic mosaic = RandomMosaic(width, height, wide ? 65535 : 255, extremes,
                                                    static_cast<unsigned>(width * 1000 + height + extremes));
            for (const Member& member : members) {
                for (const unsigned short bitCount : bitCounts) {
                    EXPECT_EQ(CompareWithReference(library, member, mosaic, bitCount), "")
                        << member.symbol << ", " << width << " x " << height << ", bitCount " << bitCount
                        << (extremes ? ", extreme samples" : ", uniform samples");
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bayer, MatchesReference,
    ::testing::Combine(::testing::Bool(),
                       ::testing::Values(Algorithm::kNearestNeighbor, Algorithm::kNearestNeighbor16, Algorithm::kGray,
                                         Algorithm::kGray16, Algorithm::kBilinear, Algorithm::kFastBilinear,
                                         Algorithm::kEdgeSensing1, Algorithm::kEdgeSensing2, Algorithm::kSmoothHue,
                                         Algorithm::kLaplacian, Algorithm::kEdge1, Algorithm::kEdge1_16,
                                         Algorithm::kEdge2)),
    [](const ::testing::TestParamInfo<std::tuple<bool, Algorithm>>& info) {
        return BuildName(std::get<0>(info.param)) + "_" + AlgorithmName(std::get<1>(info.param));
    });

TEST(BayerExports, BothBuildsExportEveryMemberAndTheThreadCount) {
    const std::vector<Member>& members = AllMembers();
    EXPECT_EQ(members.size(), 99u);
    std::set<std::string> symbols;
    for (const Member& member : members) {
        EXPECT_TRUE(symbols.insert(member.symbol).second) << member.symbol << " listed twice";
        EXPECT_EQ(member.declared, SignatureOf(member.algorithm)) << member.symbol << " declared differently";
        for (const bool parallel : {true, false}) {
            EXPECT_NE(Build(parallel).Find(member.symbol), nullptr)
                << member.symbol << " missing from the " << BuildName(parallel) << " build";
        }
    }
    // Plain C names everywhere except the one C++ member.
    EXPECT_EQ(Library::Parallel().Find("ZOQCFA_Laplacian2_RGGB"), nullptr);
    EXPECT_EQ(Library::Serial().Find("ZOQCFA_Laplacian2_RGGB"), nullptr);
    ASSERT_NE(Library::Parallel().ThreadCount(), nullptr);
    ASSERT_NE(Library::Serial().ThreadCount(), nullptr);
    EXPECT_NE(Library::Parallel().ThreadCount(), Library::Serial().ThreadCount());
}

TEST(BayerExports, ThreadCountStartsAtFour) {
    EXPECT_EQ(*Library::Parallel().ThreadCount(), 4);
    EXPECT_EQ(*Library::Serial().ThreadCount(), 4);
}

}  // namespace
}  // namespace bayertest
