// Base fixture for every command family: a FakeController connected on one slot.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "fake_controller.h"
#include "zefraapi.h"

namespace zefra::test {

class ControllerTest : public ::testing::Test {
protected:
    static constexpr int32_t slot = 0;

    void SetUp() override { ASSERT_EQ(ZEFRA_Init_ETH(loopback, controller.port(), 2, slot), RC_OK); }
    void TearDown() override { ZEFRA_Exit_ETH(slot); }

    // The command text of the last request the controller received.
    std::string sent() const {
        const auto all = controller.commands();
        return all.empty() ? std::string() : all.back();
    }

    // True when nothing reached the controller since the last clear(): a probe sent now must
    // be the first request it sees.
    bool nothingSent() {
        char reply[512] = {};
        controller.replyPayload("ok");
        if (ZEFRA_Common_Cmd("probe", reply, slot) != RC_OK) return false;
        const auto commands = controller.commands();
        const bool clean = commands.size() == 1 && commands[0] == "probe";
        controller.clear();
        return clean;
    }

    FakeController controller;
};

}  // namespace zefra::test
