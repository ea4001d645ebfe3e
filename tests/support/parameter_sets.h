// The single-precision parameter sets (kinematic parameters, speed and acceleration limits,
// zone parameters) share their wire forms; each family lists its Get_/Set_ pairs as rows.
#pragma once

#include <string>

#include "controller_test.h"

namespace zefra::test {

struct FloatSetRow {
    const char* word;  // "StrPara": the pair sends "Get_StrPara" and "Set_StrPara ..."
    int32_t(ZEFRA_CALL* get)(float*, int32_t);
    int32_t(ZEFRA_CALL* set)(const float*, int32_t);
    int count;       // 2 or 6 values
    bool fromFirst;  // the getter succeeds from the first value on
};

class FloatSetTest : public ControllerTest {
protected:
    // Six decimals out; replies straight into the caller's array, never past `count` elements.
    void expectFloatSet(const FloatSetRow& row) {
        SCOPED_TRACE(row.word);
        const float values[6] = {0.5f, -1.25f, 100, 0.1f, 2, 1e6f};
        const std::string six = "0.500000,-1.250000,100.000000,0.100000,2.000000,1000000.000000";
        EXPECT_EQ(row.set(values, slot), RC_OK);
        EXPECT_EQ(sent(), "Set_" + std::string(row.word) + " " + (row.count == 6 ? six : six.substr(0, 18)));
        float got[7] = {7, 7, 7, 7, 7, 7, 7};
        const float full[7] = {1.5f, -0.1f, 3, 4, 5, 6, 7};
        controller.replyPayload("=1.5,-0.1,3,4,5,6,8");
        EXPECT_EQ(row.get(got, slot), RC_OK);
        EXPECT_EQ(sent(), "Get_" + std::string(row.word));
        for (int i = 0; i < 7; ++i) EXPECT_EQ(got[i], i < row.count ? full[i] : 7) << i;
        controller.replyPayload("=9;8");  // one value, then a mismatch
        EXPECT_EQ(row.get(got, slot), row.fromFirst ? RC_OK : RC_FAIL);
        EXPECT_EQ(got[0], 9.0f);
        EXPECT_EQ(got[1], -0.1f);
        for (const char* payload : {"=", "=x"}) {
            controller.replyPayload(payload);
            EXPECT_EQ(row.get(got, slot), RC_FAIL) << payload;
        }
        controller.clear();
        EXPECT_EQ(row.get(nullptr, slot), RC_BAD_PARAM);
        EXPECT_EQ(row.set(nullptr, slot), RC_BAD_PARAM);
        EXPECT_TRUE(nothingSent());
    }
};

}  // namespace zefra::test
