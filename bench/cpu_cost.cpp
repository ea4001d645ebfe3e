// The library's own CPU work per call, without a network: an in-memory transport answers at
// once, so what is timed is zeroing the work area, formatting, framing, unframing,
// classifying and scanning. The baseline is the least any client must do for the same call:
// format the command text and scan the reply once with the C library.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "records/records.h"
#include "support/memory_transport.h"
#include "transport/command.h"
#include "zefraapi.h"

namespace {

constexpr char pointReply[] = "##=400.5,0,300,180,0,90;0,0,1,0;0,0,0$$";

struct InMemorySlot {
    zefra::test::MemoryTransport memory;
    explicit InMemorySlot(const char* reply) {
        memory.cannedReply = reply;
        zefra::platform::useTransport(&memory);
        ZEFRA_Init_ETH(0x7F000001, 1, 5, 0);
    }
    ~InMemorySlot() {
        ZEFRA_Exit_ETH(0);
        zefra::platform::useTransport(nullptr);
    }
};

void BM_BaselineFormatOnly(benchmark::State& state) {
    char text[1024];
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::snprintf(text, sizeof text, "MovJ P%d %d %d", 1, 50, 0));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BaselineFormatOnly);

void BM_LibraryCommand(benchmark::State& state) {
    InMemorySlot slot("##ok$$");
    for (auto _ : state) benchmark::DoNotOptimize(ZEFRA_MovJ(1, 50, 0, 0));
}
BENCHMARK(BM_LibraryCommand);

void BM_BaselineFormatAndScanPoint(benchmark::State& state) {
    char text[1024];
    for (auto _ : state) {
        PointRecord p;
        benchmark::DoNotOptimize(std::snprintf(text, sizeof text, "Get_PosHere"));
        benchmark::DoNotOptimize(std::sscanf(pointReply + 2, "=%lf,%lf,%lf,%lf,%lf,%lf;%d,%d,%d,%d;%d,%d,%d", &p.pos[0],
                                             &p.pos[1], &p.pos[2], &p.pos[3], &p.pos[4], &p.pos[5], &p.armType[0],
                                             &p.armType[1], &p.armType[2], &p.armType[3], &p.frameRef[0],
                                             &p.frameRef[1], &p.frameRef[2]));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BaselineFormatAndScanPoint);

void BM_LibraryQueryPoint(benchmark::State& state) {
    InMemorySlot slot(pointReply);
    for (auto _ : state) {
        zefra::Command query;
        PointRecord p;
        benchmark::DoNotOptimize(query.query(0, "Get_PosHere"));
        benchmark::DoNotOptimize(zefra::readPointRecord(query.payload(), &p));
    }
}
BENCHMARK(BM_LibraryQueryPoint);

}  // namespace

BENCHMARK_MAIN();
