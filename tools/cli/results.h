// What a result code means to a person and to a script: its words and the exit status.
#pragma once

#include <cstdint>
#include <string>

namespace zcli {

// Exit statuses. 2 is also what the option parser uses for a command line it cannot read.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitRefused = 3;       // the controller answered with an error number
inline constexpr int kExitCommFailure = 4;   // not connected, link lost, reply not a frame
inline constexpr int kExitBadArgument = 5;   // a value the tool or the library refuses
inline constexpr int kExitNotUnderstood = 6; // a reply the library could not read

// A failed step: the library's result code and what the tool knows about why.
struct Failure {
    int32_t rc;
    std::string detail;
    bool detailIsWhole = false;  // detail replaces the code's words instead of following them
};

std::string words(const Failure& failure);
int exitStatus(int32_t rc);

// Throws the failure for any result but RC_OK; whenBad says which argument a RC_BAD_PARAM means.
void check(int32_t rc, const char* whenBad = "");

}  // namespace zcli
