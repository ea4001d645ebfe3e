#include <cstring>
#include <functional>
#include <string>

#include "platform/platform.h"
#include "support/family_test.h"

namespace zefra::test {
namespace {

std::string printed;  // what the library wrote to standard output

class RobotPoints : public FamilyTest {
    void SetUp() override {
        FamilyTest::SetUp();
        printed.clear();
        platform::divertStandardOutput([](const char* text) { printed += text; });
    }
    void TearDown() override { platform::divertStandardOutput(nullptr), FamilyTest::TearDown(); }
};

const RobP robP{{1.23456, -2, 3, 4, 5, 6}, {0, 0, 0, 1}, {7, 8, 9, 10, 11, 12.0006}};
const std::string robPText = "1.235,-2.000,3.000,4.000,5.000,6.000;0,0,0,1;7.000,8.000,9.000,10.000,11.000,12.001";
const RobJP robJP{{1, 2, 3, 4, 5, 6, 7, 8.25}, {-1, -2, -3, -4, -5, 0.0004}};
const std::string robJPText = "1.000,2.000,3.000,4.000,5.000,6.000,7.000,8.250;-1.000,-2.000,-3.000,-4.000,-5.000,0.000";

TEST_F(RobotPoints, CommandsSendTheirExactText) {
    expectSent({
        {"SavePara", [] { return ZEFRA_SavePara(slot); }}, {"RecoverPara", [] { return ZEFRA_RecoverPara(slot); }},
        {"Set_RobP 3 " + robPText, [] { return ZEFRA_Set_RobP(3, &robP, slot); }},
        {"SetMemRobP -3 " + robPText, [] { return ZEFRA_Set_MemRobP(-3, &robP, slot); }},
        {"Set_RobPToFile 4 " + robPText + " cell.pt", [] { return ZEFRA_Set_RobPToFile("cell.pt", 4, &robP, slot); }},
        {"Set_RobPHere 5", [] { return ZEFRA_Set_RobPHere(5, slot); }},
        {"Set_RobPHereToFile 7 cell.pt", [] { return ZEFRA_Set_RobPHereToFile("cell.pt", 7, slot); }},
        {"Set_RobJP 8 " + robJPText, [] { return ZEFRA_Set_RobJP(8, &robJP, slot); }},
        {"SetMemRobJP 9 " + robJPText, [] { return ZEFRA_Set_MemRobJP(9, &robJP, slot); }},
        {"Set_RobJPHere 10", [] { return ZEFRA_Set_RobJPHere(10, slot); }},
        {"Set_SpeedLimitSwitch 1", [] { return ZEFRA_Set_SpeedLimitSwitch(1, slot); }},
    });
}

TEST_F(RobotPoints, PointQueriesWriteTheWholeRecordOrNothing) {
    const RobP readP{{1.5, -2, 3, 4, 5, 6}, {0, 1, 0, 1}, {7, 8, 9, 10, 11, 12}};
    expectWholeRecord("Get_RobP 3", "=1.5,-2,3,4,5,6;0,1,0,1;7,8,9,10,11,1.2e1", readP,
                      [](RobP* p) { return ZEFRA_Get_RobP(3, p, slot); });
    expectWholeRecord("Get_RobPFromFile 3 cell.pt", "=1.5,-2,3,4,5,6;0,1,0,1;7,8,9,10,11,12", readP,
                      [](RobP* p) { return ZEFRA_Get_RobPFromFile("cell.pt", 3, p, slot); });
    expectWholeRecord<RobJP>("Get_RobJP -2", "=1,2,3,4,5,6,7,8;9,10,11,12,13,14",
                             {{1, 2, 3, 4, 5, 6, 7, 8}, {9, 10, 11, 12, 13, 14}},
                             [](RobJP* j) { return ZEFRA_Get_RobJP(-2, j, slot); });
}

// The scan-count line: after every exchange that did not fail, whether or not the value was read.
std::string line(const char* count) { return *count ? std::string("sscanf_s ret = ") + count + "\n" : ""; }

TEST_F(RobotPoints, TextQueriesFillAll32BytesAndReportTheScanCount) {
    const struct { std::function<int32_t(char*)> call; const char* request; bool reports; } queries[] = {
        {[](char* t) { return ZEFRA_Get_CurRobPFileName(t, slot); }, "Get_CurRobPFileName", true},
        {[](char* t) { return ZEFRA_Get_RobP_Label(5, t, slot); }, "Get_RobP_Label 5", true},
        {[](char* t) { return ZEFRA_Get_RobJP_Label(-1, t, slot); }, "Get_RobJP_Label -1", true},
        {[](char* t) { return ZEFRA_Get_RobLP_Label(1, "lp", 2, t, slot); }, "Get_RobLP_Label 1 2 lp", false}};
    const std::string w31(31, 'w');
    const struct { std::string payload; int32_t rc; std::string word; const char* count; } replies[] = {
        {"=Home", RC_OK, "Home", "1"}, {"= weld_1 old", RC_OK, "weld_1", "1"}, {"=" + w31, RC_OK, w31, "1"},
        {"=" + w31 + "w", RC_FAIL, "", "0"}, {"Home", RC_FAIL, "", "0"}, {"=", RC_FAIL, "", "-1"}, {"e5:", -5, "", ""}};
    for (const auto& q : queries)
        for (const auto& r : replies) {
            SCOPED_TRACE(q.request + (" <- " + r.payload));
            char text[40];
            std::memset(text, 'x', sizeof text);
            printed.clear();
            controller.replyPayload(r.payload);
            EXPECT_EQ(q.call(text), r.rc);
            EXPECT_EQ(sent(), q.request);
            std::string expected(sizeof text, 'x');
            if (r.rc == RC_OK) expected.replace(0, 32, r.word + std::string(32 - r.word.size(), '\0'));
            EXPECT_EQ(std::string(text, sizeof text), expected);
            EXPECT_EQ(printed, q.reports ? line(r.count) : "");
        }
    const struct { const char* payload; int32_t rc, value; const char* count; } rows[] = {
        {"=2", RC_OK, 2, "1"}, {"=x", RC_FAIL, 99, "0"}, {"=", RC_FAIL, 99, "-1"}, {"e4:", -4, 99, ""}};
    for (const auto& row : rows) {
        int32_t value = 99;
        printed.clear();
        controller.replyPayload(row.payload);
        EXPECT_EQ(ZEFRA_Get_SpeedLimitSwitch(&value, slot), row.rc) << row.payload;
        EXPECT_EQ(sent(), "Get_SpeedLimitSwitch");
        EXPECT_EQ(value, row.value) << row.payload;
        EXPECT_EQ(printed, line(row.count)) << row.payload;
    }
}

TEST_F(RobotPoints, NullsAndTextsTooLongForTheCommandAreRefusedUnsent) {
    char label[32] = {};
    RobP p{};
    const std::string longName(1100, 'f');
    const char* huge = longName.c_str();
    expectRefused({ZEFRA_Set_RobPToFile(nullptr, 1, &robP, slot), ZEFRA_Set_RobPToFile("f", 1, nullptr, slot),
                   ZEFRA_Set_RobPHereToFile(nullptr, 1, slot), ZEFRA_Get_RobPFromFile(nullptr, 1, &p, slot),
                   ZEFRA_Get_RobLP_Label(1, nullptr, 2, label, slot), ZEFRA_Set_RobPToFile(huge, 1, &robP, slot),
                   ZEFRA_Set_RobPHereToFile(huge, 1, slot), ZEFRA_Get_RobPFromFile(huge, 1, &p, slot),
                   ZEFRA_Get_RobLP_Label(1, huge, 2, label, slot)});
    EXPECT_EQ(printed, "");
}

}  // namespace
}  // namespace zefra::test
