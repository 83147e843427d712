#pragma once

// A test whose external tool (a compiler, an assembler, an X server) is
// missing proves nothing about the code. On a developer's machine it skips
// and says why; in CI (the environment variable CI is set, as CI sets it)
// every tool is meant to be there, so a missing one fails the test instead of
// leaving a silent gap. This is the one place that decides.

#include <gtest/gtest.h>

#include <cstdlib>

namespace zelvik::test {

inline bool missingToolFails() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && *ci != '\0';
}

// The exit status of a script test whose tool is missing: ctest's "skipped"
// (77), or 1 under CI.
constexpr int kSkippedStatus = 77;
inline int missingToolStatus() {
    return missingToolFails() ? 1 : kSkippedStatus;
}

} // namespace zelvik::test

// Ends the current test because a tool is missing: skipped, or failed under
// CI. `reason` may be a stream expression: "gcc" << " is not installed".
#define ZELVIK_MISSING_TOOL(reason)                                                                \
    do {                                                                                           \
        if (::zelvik::test::missingToolFails()) {                                                  \
            GTEST_FAIL() << reason << " (CI is set: every tool must be installed)";                \
        } else {                                                                                   \
            GTEST_SKIP() << reason;                                                                \
        }                                                                                          \
    } while (false)
