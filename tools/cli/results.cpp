#include "results.h"

#include "zefraapi.h"

namespace zcli {

namespace {

struct Row {
    int32_t rc;
    const char* words;
    int exit;
};

// Every code the library can return but the controller's own error numbers.
constexpr Row kRows[] = {
    {RC_OK, "done", kExitOk},
    {RC_COMM_FAIL, "communication failure", kExitCommFailure},
    {RC_BAD_PARAM, "bad argument", kExitBadArgument},
    {RC_FAIL, "reply not understood", kExitNotUnderstood},
};

const Row* find(int32_t rc) {
    for (const Row& row : kRows)
        if (row.rc == rc) return &row;
    return nullptr;
}

}  // namespace

std::string words(const Failure& failure) {
    if (failure.detailIsWhole) return failure.detail;
    const Row* row = find(failure.rc);
    // Anything else came from the controller, error N as -N (one diagnosis query passes
    // "e-3" through as +3, which then reads as error -3).
    std::string text = row ? row->words : "controller refused: error " + std::to_string(-int64_t{failure.rc});
    if (!failure.detail.empty()) text += ": " + failure.detail;
    return text;
}

int exitStatus(int32_t rc) {
    const Row* row = find(rc);
    return row ? row->exit : kExitRefused;
}

void check(int32_t rc, const char* whenBad) {
    if (rc != RC_OK) throw Failure{rc, rc == RC_BAD_PARAM ? whenBad : ""};
}

}  // namespace zcli
