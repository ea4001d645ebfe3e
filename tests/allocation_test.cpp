// The command path must not touch the heap. malloc is interposed in this executable and
// counted on the calling thread only (the fake controller's threads allocate freely).
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <functional>

#include "support/controller_test.h"
#include "records/records.h"
#include "transport/command.h"

extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);

namespace {
thread_local bool counting = false;
thread_local long allocations = 0;

void* counted(void* allocated) {
    allocations += counting;
    return allocated;
}
}  // namespace

extern "C" void* malloc(size_t size) { return counted(__libc_malloc(size)); }
extern "C" void* calloc(size_t n, size_t size) { return counted(__libc_calloc(n, size)); }
extern "C" void* realloc(void* p, size_t size) { return counted(__libc_realloc(p, size)); }

namespace zefra::test {
namespace {

class Allocations : public ControllerTest {};

TEST_F(Allocations, NoneOnTheCommandPath) {
    controller.setResponder([](const std::string& text) {
        if (text == "query") return std::string("=1.5,2,3,4,5,6;0,1,0,1;1,2,3");
        if (text == "Get_Print") return std::string("=PRINT:caf\xC3\xA9");  // converted in the host's set
        if (text == "int" || text == "Get_SpeedLimitSwitch") return std::string("=42");
        return std::string("ok");
    });
    platform::divertStandardOutput([](const char*) {});  // the scan-count line, formatted on the stack too
    const std::function<int32_t()> calls[] = {
        [] { return sendCommand(slot, "MovJ P%d %d %d", 1, 2, 3); },
        [] { int32_t v = 0; return integerQuery("int", &v, slot); },
        [] {
            Command command;
            const PointRecord target{{1, 2, 3, 4, 5, 6}, {0, 0, 0, 0}, {0, 0, 0}};
            command.format("MovJ2 ");
            command.appendRecord(printPointRecord, target);
            command.append(" %d %d", 1, 2);
            return command.send(slot);
        },
        [] {
            Command command;
            PointRecord p{};
            return command.query(slot, "query") == RC_OK && readPointRecord(command.payload(), &p) ? RC_OK : RC_FAIL;
        },
        [] { char reply[512] = {}; return ZEFRA_Common_Cmd("int", reply, slot); },
        // A binary frame, on the stack too.
        [] { const unsigned char entries[48] = {1, 2, 3}; return ZEFRA_SetExtProfileData(2, entries, slot); },
        [] { int32_t v = 0; return ZEFRA_Get_SpeedLimitSwitch(&v, slot); },
        [] { char message[128]; return ZEFRA_Get_Print(message, slot); },
    };
    for (std::size_t i = 0; i < std::size(calls); ++i) {
        EXPECT_EQ(calls[i](), RC_OK) << "call " << i;  // warm up: one-time set-up (the classic locale) is not per call
        allocations = 0;
        counting = true;
        for (int n = 0; n < 20; ++n) calls[i]();
        counting = false;
        EXPECT_EQ(allocations, 0) << "call " << i;
    }
    platform::divertStandardOutput(nullptr);
}

}  // namespace
}  // namespace zefra::test
