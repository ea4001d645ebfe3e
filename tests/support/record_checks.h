// Position-record outputs: telling an untouched record from a written one, and the one check
// every whole-or-nothing record query shares.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <type_traits>

#include "fake_controller.h"
#include "zefraapi.h"

namespace zefra::test {

// A fill no reply in these tests produces.
template <typename Record>
Record filled() {
    Record r;
    std::memset(&r, 0x55, sizeof r);
    return r;
}

// Up to the end of the last field: a PointRecord's trailing padding is nobody's business.
template <typename Record>
bool same(const Record& a, const Record& b) {
    constexpr std::size_t size = std::is_same_v<Record, PointRecord>
                                     ? offsetof(PointRecord, frameRef) + sizeof(PointRecord::frameRef)
                                     : sizeof(Record);
    return std::memcmp(&a, &b, size) == 0;
}

// `call(&record)` sends `request`; `reply` cut before its last field leaves the record as it
// was, `reply` itself replaces it whole with `expected`. `start` may be an input of the call
// too, so whatever is sent must be read before anything is written.
template <typename Record, typename Call>
void expectWholeRecord(FakeController& controller, const std::string& request, const std::string& reply,
                       const Record& expected, Call call, const Record& start = filled<Record>()) {
    SCOPED_TRACE(request);
    Record record = start;
    controller.replyPayload(reply.substr(0, reply.find_last_of(",;")));
    EXPECT_EQ(call(&record), RC_FAIL);
    EXPECT_EQ(controller.lastCommand(), request);
    EXPECT_TRUE(same(record, start));
    controller.replyPayload(reply);
    EXPECT_EQ(call(&record), RC_OK);
    EXPECT_EQ(controller.lastCommand(), request);
    EXPECT_TRUE(same(record, expected));
}

}  // namespace zefra::test
