// Every command-family export, called with placeholder arguments: 1 for each number, a zeroed
// area for each record, array or output, "1" for each text. What they all share is checked here
// once: one request per call, an error reply's code or a slot not connected as the result, what a
// query of one number leaves in its output, and a null pointer in any place or a text too long for
// a frame refused unsent. Most exports whose inputs are numbers only are worded alike, and are
// checked here with numbers told apart by position: the family tests keep the exports worded
// otherwise and the outputs that follow rules of their own.
#include <algorithm>
#include <cstring>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <type_traits>

#include "support/family_test.h"

namespace zefra::test {
namespace {

int nullAt = -1, longAt = -1;  // the argument to give as null, or as a text too long for a frame
bool replaced = false;         // whether the call had a pointer there
int pointers = 0, outputs = 0;  // inputs and outputs given by pointer since the counts were cleared
int number = 1;                // every number's value; 0: numbers told apart by position
std::string numbers[12];       // those, as the common wording sends them

// Placeholders know their position: C++ leaves open the order in which a call's arguments are made.
template <int Position>
struct Arg {
    static_assert(Position < 12, "more arguments than the test gives wrong ones in turn");
    operator const char*() const {
        static const std::string longText(1100, 't');
        replaced |= Position == longAt;
        return Position == longAt ? longText.c_str() : pointer<const char>("1");
    }
    template <typename T> requires std::is_arithmetic_v<T> operator T() const {
        if (number != 0) return T(number);
        // Negative where the type allows, and with more decimals than are sent.
        const T value = T(std::is_floating_point_v<T> ? -Position - 1.1234567
                          : std::is_signed_v<T>       ? -Position - 2
                                                      : Position + 2);
        numbers[Position] = std::to_string(value);  // six decimals for floating point
        return value;
    }
    template <typename T> operator T*() const {
        alignas(16) static unsigned char area[8192];
        return pointer(static_cast<T*>(std::memset(area, 0, sizeof area)));
    }
    template <typename T>
    static T* pointer(T* given) {
        (std::is_const_v<T> ? pointers : outputs) += 1;
        replaced |= Position == nullAt;
        return Position == nullAt ? nullptr : given;
    }
};

double before = 0;               // what an output of one number holds when the call starts
double (*readBack)() = nullptr;  // that output after the call; null when the call has none
bool integralOut = false;        // whether that output is an integer

// An output of one number, primed and read back.
template <int Position>
struct One : Arg<Position> {
    template <typename T> operator T*() const {
        static T* out;
        out = static_cast<T*>(static_cast<const Arg<Position>&>(*this));
        if (out == nullptr) return out;
        *out = static_cast<T>(before);
        readBack = [] { return static_cast<double>(*out); };
        integralOut = std::is_integral_v<T>;
        return out;
    }
};

#define ARG(position) Arg<position>{}
#define ONE(position) One<position>{}
const struct {
    const char* name;
    int32_t (*call)(int32_t slot);
} calls[] = {
#include "calls.inc"
};

using Arguments = FamilyTest;

TEST_F(Arguments, EveryExportFollowsTheRulesTheyShare) {
    const std::set<std::string> connection = {"ZEFRA_Init_ETH", "ZEFRA_Exit_ETH", "ZEFRA_Common_Cmd"};
    // One number out and no other output: by the first rule of Output unless named here, or by a rule
    // of its own, checked in its family.
    using enum Output;
    const std::map<std::string, Output> rules = {
        {"Get_PrgRunTime", zeroed},       {"Get_CurCmdNum", zeroed},       {"Get_TaskRunSts", bare},
        {"Get_TaskProgramLine", bare},    {"Get_ProjSyncStatus", counter}, {"Get_MechUnitCfgNum", counter},
        {"Get_MechUnitCfgType", counter}, {"Get_IOAuthority", authority}};
    const std::set<std::string> ownRules = {"Get_CurInterf", "Get_InterferToolActNum", "GetRecommendCollisionLevel"};
    const std::set<std::string> slotless = {"ZEFRA_GetProfileMode", "ZEFRA_GetExtProfileType",
                                            "ZEFRA_GetExtProfileLeftSpace"};  // they ask slot 0 whatever
    // Exports of number inputs worded otherwise, beside the stored-point motions and the variables.
    const std::string otherWording =
        " EmergStop MotorEnable PrgCtrl InchMode Set_TeachCoordinate LatchEnable DsMode Set_Mode AcqPermit Pulse Jog "
        "Inch Set_Acc Get_Acc Set_AccRamp Get_AccRamp Set_FlyMode Get_FlyMode Set_RapidMove Get_RapidMove Set_SLVSMode "
        "Get_SLVSMode Set_FlyPress Get_FlyPress Set_GripLoad Get_GripLoad Get_OnPathStat Get_InRemoteModeStat "
        "Get_InAutoModeStat Set_AxisNLim Get_AxisNLim Set_AxisPLim Get_AxisPLim Set_PHere Get_P Get_PRVar Get_RunSts "
        "Get_RobPosHere Get_RobJPosHere Set_CurInterf Set_JumpPara Set_PalletPara Get_AxisMotionData ";
    int oneNumberOut = 0;
    for (const auto& [name, call] : calls) {
        if (connection.contains(name)) continue;
        SCOPED_TRACE(name);
        const std::string word = std::string(name).substr(std::string(name).find('_') + 1);
        controller.clear();
        number = pointers = 0;
        std::fill(std::begin(numbers), std::end(numbers), "");
        call(slot);
        if (pointers == 0 && otherWording.find(" " + word + " ") == std::string::npos &&
            !std::regex_search(word, std::regex("^(Mov|Jump)|CommonVar|PlcVar|ModbusReg"))) {
            std::string request = word;
            for (const std::string& n : numbers) request += n.empty() ? "" : " " + n;
            EXPECT_EQ(sent(), request);
        }
        number = name == std::string("ZEF_GetRecommendCollisionLevel") ? 4 : 1;  // levels only for 4 or 6 axes
        controller.clear();
        outputs = 0;
        readBack = nullptr;
        call(slot);
        // An upload is its entries and then their count.
        EXPECT_EQ(controller.requestCount(), name == std::string("ZEFRA_SetExtProfileData") ? 2u : 1u);
        if (readBack != nullptr && outputs == 1 && !ownRules.contains(word)) {
            const auto rule = rules.find(word);
            const auto query = [&call](double& value, int32_t s) {
                before = value;
                const int32_t rc = call(s);
                value = readBack();
                return rc;
            };
            expectQuery(query, sent(), rule != rules.end() ? rule->second : written, integralOut);
            ++oneNumberOut;
        }
        controller.replyPayload("e12:");
        EXPECT_EQ(call(slot), -12);
        EXPECT_TRUE(slotless.contains(name) || call(1) == RC_COMM_FAIL) << "slot 1 is not connected";
        for (int* wrong : {&nullAt, &longAt}) {
            for (int position = 0; position < 12; ++position) {
                controller.clear();
                *wrong = position;
                replaced = false;
                const int32_t rc = call(slot);
                *wrong = -1;
                if (!replaced) continue;
                EXPECT_EQ(rc, RC_BAD_PARAM) << (wrong == &nullAt ? "null " : "too long ") << position;
                EXPECT_TRUE(nothingSent()) << position;
            }
        }
    }
    EXPECT_GT(oneNumberOut, 100);
}

}  // namespace
}  // namespace zefra::test
