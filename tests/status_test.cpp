#include <cstring>
#include <functional>
#include <string>

#include "support/controller_test.h"

namespace zefra::test {
namespace {

class Status : public ControllerTest {};

struct IntRow {
    const char* text;
    std::function<int32_t(int32_t* value, int32_t slot)> call;
};

// Queries of one integer that is written only after a complete scan.
const IntRow intQueries[] = {
    {"Get_PrgSts", ZEFRA_Get_PrgSts},
    {"Get_PrgSts", ZEFRA_Get_RunSts},
    {"Get_StartLine", ZEFRA_Get_StartLine},
    {"Get_CurMotionLine", ZEFRA_Get_CurMotionLine},
    {"Get_InitSts", ZEFRA_Get_InitSts},
    {"Get_CoordType", ZEFRA_Get_CoordType},
    {"Get_Coord", ZEFRA_Get_Coord},
    {"Get_Vel", ZEFRA_Get_Vel},
    {"Get_Mode", ZEFRA_Get_Mode},
    {"Get_DsMode", ZEFRA_Get_DsMode},
    {"Get_InchMode", ZEFRA_Get_InchMode},
    {"Get_SlewMode", ZEFRA_Get_SlewMode},
    {"Get_EStopSts", ZEFRA_Get_EStopSts},
    {"Get_MotorSts", ZEFRA_Get_MotorSts},
    {"Get_MotionSts", ZEFRA_Get_MotionSts},
    {"Get_SysMode", ZEFRA_Get_SysMode},
    {"Get_CurCmdSts", ZEFRA_Get_CurCmdSts},
    {"Get_SysErrSts", ZEFRA_Get_SysErrSts},
    {"Get_CurCmdCacheNum", ZEFRA_Get_CurCmdCacheNum},
    {"Get_CmdSts 4", [](int32_t* v, int32_t s) { return ZEFRA_Get_CmdSts(4, v, s); }},
    {"Get_TaskRunSts 2", [](int32_t* v, int32_t s) { return ZEFRA_Get_TaskRunSts(2, v, s); }},
    {"Get_TaskProgramLine -1", [](int32_t* v, int32_t s) { return ZEFRA_Get_TaskProgramLine(-1, v, s); }},
    {"get_flymode 3", [](int32_t* v, int32_t s) { return ZEFRA_Get_FlyMode(3, v, s); }},
    {"get_rapidmove 0", [](int32_t* v, int32_t s) { return ZEFRA_Get_RapidMove(0, v, s); }},
    {"get_slvsmode", ZEFRA_Get_SLVSMode},
};

TEST_F(Status, IntegerQueriesWriteOnlyAScannedValue) {
    for (const auto& row : intQueries) {
        SCOPED_TRACE(row.text);
        int32_t value = 99;
        controller.replyPayload("= -42");
        EXPECT_EQ(row.call(&value, slot), RC_OK);
        EXPECT_EQ(sent(), row.text);
        EXPECT_EQ(value, -42);
        value = 99;
        controller.replyPayload("ok");
        EXPECT_EQ(row.call(&value, slot), RC_FAIL);
        controller.replyPayload("e12:busy");
        EXPECT_EQ(row.call(&value, slot), -12);
        controller.replyPayload("e-3:odd");  // negates to +3: not a failure code, and no number
        EXPECT_EQ(row.call(&value, slot), RC_FAIL);
        EXPECT_EQ(row.call(&value, 10), RC_BAD_PARAM);
        EXPECT_EQ(value, 99);
    }
}

TEST_F(Status, SysErrReadsHexWithOptionalSuffix) {
    const std::pair<const char*, uint32_t> rows[] = {{"=ffh", 255}, {"=ff", 255}, {"=0x1Fh", 31},
                                                     {"=FFFFFFFFh", 0xFFFFFFFFu}, {"=h", 7}, {"ok", 7}};
    for (const auto& [payload, expected] : rows) {
        uint32_t value = 7;
        controller.replyPayload(payload);
        EXPECT_EQ(ZEFRA_Get_SysErr(&value, slot), expected == 7 ? RC_FAIL : RC_OK) << payload;
        EXPECT_EQ(value, expected) << payload;
        EXPECT_EQ(sent(), "Get_SysErr");
    }
}

TEST_F(Status, RunTimeAndCommandCountAreZeroOnAnyFailure) {
    for (const auto& row : {IntRow{"Get_PrgRunTime", ZEFRA_Get_PrgRunTime}, IntRow{"Get_CurCmdNum", ZEFRA_Get_CurCmdNum}}) {
        const struct { const char* payload; int32_t slot, rc, value; } cases[] = {
            {"=3600", slot, RC_OK, 3600}, {"ok", slot, RC_FAIL, 0}, {"e3:", slot, -3, 0},
            {"", 10, RC_BAD_PARAM, 0}, {"", 5, RC_COMM_FAIL, 0}};  // slot 5 was never connected
        for (const auto& c : cases) {
            int32_t value = 99;
            if (*c.payload != '\0') controller.replyPayload(c.payload);
            EXPECT_EQ(row.call(&value, c.slot), c.rc) << row.text << c.payload;
            EXPECT_EQ(value, c.value) << row.text << c.payload;
        }
        EXPECT_EQ(sent(), row.text);
    }
}

TEST_F(Status, BarePayloadMeansNothingToReport) {
    int32_t run = 99, line = 99;
    char path[128];
    std::memset(path, 'x', sizeof path);
    controller.setResponder([](const std::string&) { return std::string("="); });
    EXPECT_EQ(ZEFRA_Get_TaskRunSts(1, &run, slot), RC_OK);
    EXPECT_EQ(ZEFRA_Get_TaskProgramLine(1, &line, slot), RC_OK);
    EXPECT_EQ(ZEFRA_Get_TaskPrgPath(1, path, slot), RC_OK);
    EXPECT_EQ(sent(), "Get_TaskPrgPath 1");
    EXPECT_EQ(run, 0);
    EXPECT_EQ(line, 0);
    EXPECT_EQ(std::string(path, sizeof path), std::string(128, '\0'));
    controller.replyPayload("==");  // longer than bare: must scan
    EXPECT_EQ(ZEFRA_Get_TaskRunSts(1, &run, slot), RC_FAIL);
}

TEST_F(Status, PathFillsTheWholeFieldAndNeverOverrunsIt) {
    const std::string longest(127, 'a');
    const struct { std::string payload; int32_t rc; std::string path; } rows[] = {
        {"=", RC_OK, ""}, {"=/prg/a b.prg", RC_OK, "/prg/a"}, {"= /prg/main.prg", RC_OK, "/prg/main.prg"},
        {"=" + longest, RC_OK, longest}, {"=" + longest + "b", RC_FAIL, ""}, {"ok", RC_FAIL, ""}};
    for (const auto& row : rows) {
        char field[160];
        std::memset(field, 'x', sizeof field);
        controller.replyPayload(row.payload);
        EXPECT_EQ(ZEFRA_Get_CurPrgPath(field, slot), row.rc) << row.payload;
        EXPECT_EQ(sent(), "Get_CurPrgPath");
        const std::string written = row.rc == RC_OK ? row.path + std::string(128 - row.path.size(), '\0')
                                                     : std::string(128, 'x');  // failure: untouched
        EXPECT_EQ(std::string(field, 128), written) << row.payload;
        EXPECT_EQ(std::string(field + 128, 32), std::string(32, 'x')) << row.payload;
    }
}

TEST_F(Status, PairsScanStraightIntoTheOutputs) {
    double a = 9, b = 9;
    for (const char* payload : {"=1.5,2.5", "=1.5, \t2.5"}) {
        controller.replyPayload(payload);
        EXPECT_EQ(ZEFRA_Get_AccRamp(&a, &b, slot), RC_OK) << payload;
        EXPECT_EQ(a, 1.5);
        EXPECT_EQ(b, 2.5);
    }
    EXPECT_EQ(sent(), "get_accramp");
    controller.replyPayload("=7;8");
    EXPECT_EQ(ZEFRA_Get_AccRamp(&a, &b, slot), RC_FAIL);
    EXPECT_EQ(a, 7);  // read before the mismatch
    EXPECT_EQ(b, 2.5);

    int32_t p = 9, q = 9;
    controller.replyPayload("=20,30");
    EXPECT_EQ(ZEFRA_Get_FlyPress(&p, &q, slot), RC_OK);
    EXPECT_EQ(sent(), "get_flypress");
    EXPECT_EQ(p, 20);
    EXPECT_EQ(q, 30);
    controller.replyPayload("=3");
    EXPECT_EQ(ZEFRA_Get_FlyPress(&p, &q, slot), RC_FAIL);
    EXPECT_EQ(p, 3);
    EXPECT_EQ(q, 30);
}

TEST_F(Status, NullOutputsAreRefusedUnsent) {
    const std::function<int32_t()> calls[] = {
        [] { return ZEFRA_Get_Vel(nullptr, slot); },
        [] { return ZEFRA_Get_SysErr(nullptr, slot); },
        [] { return ZEFRA_Get_CmdSts(1, nullptr, slot); },
        [] { return ZEFRA_Get_PrgRunTime(nullptr, slot); },
        [] { return ZEFRA_Get_CurCmdNum(nullptr, slot); },
        [] { return ZEFRA_Get_CurPrgPath(nullptr, slot); },
        [] { return ZEFRA_Get_TaskPrgPath(1, nullptr, slot); },
        [] { return ZEFRA_Get_TaskRunSts(1, nullptr, slot); },
        [] { return ZEFRA_Get_TaskProgramLine(1, nullptr, slot); },
        [] { double v = 0; return ZEFRA_Get_AccRamp(&v, nullptr, slot); },
        [] { double v = 0; return ZEFRA_Get_AccRamp(nullptr, &v, slot); },
        [] { return ZEFRA_Get_FlyMode(1, nullptr, slot); },
        [] { return ZEFRA_Get_RapidMove(1, nullptr, slot); },
        [] { return ZEFRA_Get_SLVSMode(nullptr, slot); },
        [] { int32_t v = 0; return ZEFRA_Get_FlyPress(&v, nullptr, slot); },
        [] { int32_t v = 0; return ZEFRA_Get_FlyPress(nullptr, &v, slot); },
    };
    controller.clear();
    for (const auto& call : calls) EXPECT_EQ(call(), RC_BAD_PARAM);
    EXPECT_TRUE(nothingSent());
}

}  // namespace
}  // namespace zefra::test
