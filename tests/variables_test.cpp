#include <cmath>
#include <cstddef>
#include <cstring>
#include <functional>
#include <string>

#include "support/controller_test.h"

namespace zefra::test {
namespace {

class Variables : public ControllerTest {};

const PointRecord point{{1, 2, 3, 4, 5, 6.5}, {0, 1, 0, 1}, {2, 3, 4}};

TEST_F(Variables, WritesSendTheirExactText) {
    const std::pair<std::function<int32_t()>, const char*> rows[] = {
        {[] { return ZEFRA_Set_B(1, -7, slot); }, "Set_B 1 -7"},
        {[] { return ZEFRA_Set_R(2, 8, slot); }, "Set_R 2 8"},
        {[] { return ZEFRA_Set_D(1, 2.0, slot); }, "Set_D 1 2.000000"},
        {[] { return ZEFRA_Set_LB(3, 0, slot); }, "Set_LB 3 0"},
        {[] { return ZEFRA_Set_LR(4, 9, slot); }, "Set_LR 4 9"},
        {[] { return ZEFRA_Set_LD(5, 0.1234564, slot); }, "Set_LD 5 0.123456"},
        {[] { return ZEFRA_Set_CommonVarUchar(3, 251, slot); }, "Set_CommonVar 3 u8 251"},
        {[] { return ZEFRA_Set_CommonVarChar(3, -5, slot); }, "Set_CommonVar 3 s8 -5"},
        {[] { return ZEFRA_Set_CommonVarUshort(4, 65535, slot); }, "Set_CommonVar 4 u16 65535"},
        {[] { return ZEFRA_Set_CommonVarShort(4, -32768, slot); }, "Set_CommonVar 4 s16 -32768"},
        {[] { return ZEFRA_Set_CommonVarUint(0, 4294967295u, slot); }, "Set_CommonVar 0 u32 -1"},
        {[] { return ZEFRA_Set_CommonVarInt(5, INT32_MIN, slot); }, "Set_CommonVar 5 s32 -2147483648"},
        {[] { return ZEFRA_Set_CommonVarFloat(6, 0.1f, slot); }, "Set_CommonVar 6 f32 0.100000"},
        {[] { return ZEFRA_Set_CommonVarDouble(7, 1e6 + 0.25, slot); }, "Set_CommonVar 7 d64 1000000.250000"},
        {[] { return ZEFRA_Set_CommonVarP(8, &point, slot); },
         "Set_CommonVar 8 p 1.000000,2.000000,3.000000,4.000000,5.000000,6.500000;0,1,0,1;2,3,4"}};
    for (const auto& [call, text] : rows) {
        EXPECT_EQ(call(), RC_OK) << text;
        EXPECT_EQ(sent(), text);
    }
}

// Calls a read with its output primed to 99 and reports what the output holds afterwards.
template <typename T, int32_t(ZEFRA_CALL* get)(int32_t, T*, int32_t)>
int32_t read(double* seen, int32_t slot) {
    T value = T(99);
    const int32_t rc = get(3, &value, slot);
    *seen = static_cast<double>(value);
    return rc;
}

TEST_F(Variables, ReadsWriteOnlyAScannedValueNarrowedToItsType) {
    const struct {
        int32_t (*call)(double*, int32_t);
        const char *request, *payload;
        double value;
    } rows[] = {{read<int32_t, ZEFRA_Get_B>, "Get_B 3", "=-7", -7},
                {read<int32_t, ZEFRA_Get_R>, "Get_R 3", "= 8", 8},
                {read<double, ZEFRA_Get_D>, "Get_D 3", "=2.5", 2.5},
                {read<int32_t, ZEFRA_Get_LB>, "Get_LB 3", "=1", 1},
                {read<int32_t, ZEFRA_Get_LR>, "Get_LR 3", "=-1", -1},
                {read<double, ZEFRA_Get_LD>, "Get_LD 3", "=1.5e2", 150},
                {read<uint8_t, ZEFRA_Get_CommonVarUchar>, "Get_CommonVar 3 u8", "=300", 44},
                {read<int8_t, ZEFRA_Get_CommonVarChar>, "Get_CommonVar 3 s8", "=200", -56},
                {read<uint16_t, ZEFRA_Get_CommonVarUshort>, "Get_CommonVar 3 u16", "=-1", 65535},
                {read<int16_t, ZEFRA_Get_CommonVarShort>, "Get_CommonVar 3 s16", "=40000", -25536},
                {read<uint32_t, ZEFRA_Get_CommonVarUint>, "Get_CommonVar 3 u32", "=-1", 4294967295.0},
                {read<int32_t, ZEFRA_Get_CommonVarInt>, "Get_CommonVar 3 s32", "=-2147483648", INT32_MIN},
                {read<float, ZEFRA_Get_CommonVarFloat>, "Get_CommonVar 3 f32", "=0.5", 0.5},
                {read<double, ZEFRA_Get_CommonVarDouble>, "Get_CommonVar 3 d64", "=0.1", 0.1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.request);
        double seen = 0;
        controller.replyPayload("=x");
        EXPECT_EQ(row.call(&seen, slot), RC_FAIL);
        EXPECT_EQ(seen, 99);
        controller.replyPayload(row.payload);
        EXPECT_EQ(row.call(&seen, slot), RC_OK);
        EXPECT_EQ(sent(), row.request);
        EXPECT_EQ(seen, row.value);
    }
    const auto same = [](const PointRecord& a, const PointRecord& b) {
        return std::memcmp(&a, &b, offsetof(PointRecord, frameRef) + sizeof a.frameRef) == 0;
    };
    PointRecord p = point;
    controller.replyPayload("=9,9,9,9,9,9;9,9,9,9;9,9");  // twelve fields
    EXPECT_EQ(ZEFRA_Get_CommonVarP(3, &p, slot), RC_FAIL);
    EXPECT_TRUE(same(p, point));
    controller.replyPayload("=9,9,9,9,9,9;9,9,9,9;9,9,-9");
    EXPECT_EQ(ZEFRA_Get_CommonVarP(3, &p, slot), RC_OK);
    EXPECT_EQ(sent(), "Get_CommonVar 3 p");
    EXPECT_TRUE(same(p, PointRecord{{9, 9, 9, 9, 9, 9}, {9, 9, 9, 9}, {9, 9, -9}}));
}

TEST_F(Variables, NullsAndNonFiniteValuesAreRefusedUnsent) {
    const int32_t calls[] = {
        ZEFRA_Get_B(1, nullptr, slot),  ZEFRA_Get_R(1, nullptr, slot),  ZEFRA_Get_D(1, nullptr, slot),
        ZEFRA_Get_LB(1, nullptr, slot), ZEFRA_Get_LR(1, nullptr, slot), ZEFRA_Get_LD(1, nullptr, slot),
        ZEFRA_Get_CommonVarUchar(1, nullptr, slot),  ZEFRA_Get_CommonVarChar(1, nullptr, slot),
        ZEFRA_Get_CommonVarUshort(1, nullptr, slot), ZEFRA_Get_CommonVarShort(1, nullptr, slot),
        ZEFRA_Get_CommonVarUint(1, nullptr, slot),   ZEFRA_Get_CommonVarInt(1, nullptr, slot),
        ZEFRA_Get_CommonVarFloat(1, nullptr, slot),  ZEFRA_Get_CommonVarDouble(1, nullptr, slot),
        ZEFRA_Get_CommonVarP(1, nullptr, slot),      ZEFRA_Set_CommonVarP(1, nullptr, slot),
        ZEFRA_Set_D(1, NAN, slot), ZEFRA_Set_LD(1, INFINITY, slot), ZEFRA_Set_CommonVarFloat(1, NAN, slot),
        ZEFRA_Set_CommonVarDouble(1, -INFINITY, slot)};
    for (std::size_t i = 0; i < std::size(calls); ++i) EXPECT_EQ(calls[i], RC_BAD_PARAM) << "call " << i;
    EXPECT_TRUE(nothingSent());
}

}  // namespace
}  // namespace zefra::test
