// The fault grammar of zoqsim-run's --fault option.
#include <gtest/gtest.h>

#include "FaultOption.h"

namespace {

using zoqsim::FaultKind;
using zoqsim::FaultOption;

FaultOption Parsed(const std::string& text) {
    FaultOption fault;
    std::string error;
    EXPECT_TRUE(zoqsim::parseFaultOption(text, fault, error)) << text << ": " << error;
    return fault;
}

TEST(FaultOption, ReadsEveryKindWithItsArguments) {
    FaultOption f = Parsed("0:denied");
    EXPECT_EQ(f.camera, 0u);
    EXPECT_EQ(f.kind, FaultKind::Denied);

    f = Parsed("2:bulk-timeout");
    EXPECT_EQ(f.camera, 2u);
    EXPECT_EQ(f.kind, FaultKind::BulkTimeout);
    EXPECT_EQ(f.count, 1u);

    f = Parsed("1:bulk-error:3");
    EXPECT_EQ(f.kind, FaultKind::BulkError);
    EXPECT_EQ(f.count, 3u);

    f = Parsed("0:control-timeout:2");
    EXPECT_EQ(f.kind, FaultKind::ControlTimeout);
    EXPECT_EQ(f.count, 2u);

    f = Parsed("0:short-frame:1000:4");
    EXPECT_EQ(f.kind, FaultKind::ShortFrame);
    EXPECT_EQ(f.value, 1000u);
    EXPECT_EQ(f.count, 4u);

    f = Parsed("0:refuse:0xC8");
    EXPECT_EQ(f.kind, FaultKind::Refuse);
    EXPECT_EQ(f.value, 0xC8u);
    EXPECT_EQ(f.count, 1u);

    f = Parsed("0:lost-frame");
    EXPECT_EQ(f.kind, FaultKind::LostFrame);
    EXPECT_EQ(f.count, 1u);
    EXPECT_EQ(f.after, 0u);

    f = Parsed("1:lost-frame:3@5");
    EXPECT_EQ(f.count, 3u);
    EXPECT_EQ(f.after, 4u);  // frames 5, 6 and 7

    f = Parsed("0:short-frame:100@2");
    EXPECT_EQ(f.value, 100u);
    EXPECT_EQ(f.after, 1u);

    f = Parsed("3:replug:250");
    EXPECT_EQ(f.kind, FaultKind::Replug);
    EXPECT_EQ(f.value, 250u);
    EXPECT_EQ(Parsed("0:unplug:0").kind, FaultKind::Unplug);
}

TEST(FaultOption, RefusesMalformedText) {
    for (const char* text :
         {"", "denied", "x:denied", "-1:denied", "0:", "0:melt", "0:denied:1", "0:short-frame",
          "0:short-frame:10:0", "0:refuse:256", "0:refuse:12:3:4", "0:unplug", "0:unplug:5:1",
          "0:bulk-timeout:-1", "0:bulk-timeout:two", "0:lost-frame@0", "0:lost-frame@",
          "0:lost-frame@x", "0:bulk-error@3", "0:denied@1"}) {
        FaultOption fault;
        std::string error;
        EXPECT_FALSE(zoqsim::parseFaultOption(text, fault, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(FaultOption, OnlyTransferFaultsAreArmedOnTheCamera) {
    EXPECT_FALSE(zoqsim::armsOnTransfers(FaultKind::Denied));
    EXPECT_FALSE(zoqsim::armsOnTransfers(FaultKind::Unplug));
    EXPECT_FALSE(zoqsim::armsOnTransfers(FaultKind::Replug));
    EXPECT_TRUE(zoqsim::armsOnTransfers(FaultKind::BulkError));
    EXPECT_TRUE(zoqsim::armsOnTransfers(FaultKind::Refuse));
}

}  // namespace
