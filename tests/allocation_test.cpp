// The command path must not touch the heap. malloc is interposed in this executable and
// counted on the calling thread only (the fake controller's threads allocate freely).
#include <malloc.h>

#include <cstdlib>
#include <cstring>

#include "support/controller_test.h"
#include "records/records.h"
#include "transport/command.h"

extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);

namespace {
thread_local bool counting = false;
thread_local long allocations = 0;
}  // namespace

extern "C" void* malloc(size_t size) {
    if (counting) ++allocations;
    return __libc_malloc(size);
}
extern "C" void* calloc(size_t n, size_t size) {
    if (counting) ++allocations;
    return __libc_calloc(n, size);
}
extern "C" void* realloc(void* p, size_t size) {
    if (counting) ++allocations;
    return __libc_realloc(p, size);
}

namespace zefra::test {
namespace {

class Allocations : public ControllerTest {
protected:
    template <typename Call>
    long count(Call call) {
        call();  // warm up: one-time set-up (the classic locale) is not per call
        allocations = 0;
        counting = true;
        for (int i = 0; i < 20; ++i) call();
        counting = false;
        return allocations;
    }
};

TEST_F(Allocations, NoneOnTheCommandPath) {
    controller.setResponder([](const std::string& text) {
        if (text == "query") return std::string("=1.5,2,3,4,5,6;0,1,0,1;1,2,3");
        if (text == "int") return std::string("=42");
        return std::string("ok");
    });
    EXPECT_EQ(count([&] { EXPECT_EQ(sendCommand(slot, "MovJ P%d %d %d", 1, 2, 3), RC_OK); }), 0);
    EXPECT_EQ(count([&] {
                  int32_t v = 0;
                  EXPECT_EQ(integerQuery("int", &v, slot), RC_OK);
              }),
              0);
    EXPECT_EQ(count([&] {
                  Command command;
                  const PointRecord target{{1, 2, 3, 4, 5, 6}, {0, 0, 0, 0}, {0, 0, 0}};
                  command.format("MovJ2 ");
                  command.appendRecord(printPointRecord, target);
                  command.append(" %d %d", 1, 2);
                  EXPECT_EQ(command.send(slot), RC_OK);
              }),
              0);
    EXPECT_EQ(count([&] {
                  Command command;
                  PointRecord p{};
                  EXPECT_EQ(command.query(slot, "query"), RC_OK);
                  EXPECT_TRUE(readPointRecord(command.payload(), &p));
              }),
              0);
    EXPECT_EQ(count([&] {
                  char reply[512] = {};
                  EXPECT_EQ(ZEFRA_Common_Cmd("int", reply, slot), RC_OK);
              }),
              0);
    // The profile upload builds its binary frame on the stack too.
    EXPECT_EQ(count([&] {
                  const unsigned char entries[48] = {1, 2, 3};
                  EXPECT_EQ(ZEFRA_SetExtProfileData(2, entries, slot), RC_OK);
              }),
              0);
    // The scan-count line is formatted on the stack too (diverted here to keep the log clean).
    platform::divertStandardOutput([](const char*) {});
    EXPECT_EQ(count([&] {
                  int32_t v = 0;
                  EXPECT_EQ(ZEFRA_Get_SpeedLimitSwitch(&v, slot), RC_FAIL);
              }),
              0);
    platform::divertStandardOutput(nullptr);
    // Print messages convert in the environment's set, made once; each call works on the stack.
    controller.setResponder([](const std::string&) { return std::string("=PRINT:caf\xC3\xA9"); });
    EXPECT_EQ(count([&] {
                  char message[128];
                  EXPECT_EQ(ZEFRA_Get_Print(message, slot), RC_OK);
              }),
              0);
}

}  // namespace
}  // namespace zefra::test
