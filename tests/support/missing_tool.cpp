// missing_tool REASON: what a script test does when a tool it needs is
// missing. Prints the reason, then exits with ctest's "skipped" status, or
// fails under CI; MissingTool.h decides which.
#include "support/MissingTool.h"

#include <iostream>

int main(int argc, char** argv) {
    const char* reason = argc > 1 ? argv[1] : "a tool is missing";
    const int status = zelvik::test::missingToolStatus();
    if (status == zelvik::test::kSkippedStatus)
        std::cout << "SKIPPED: " << reason << '\n';
    else
        std::cout << "FAILED: " << reason << " (CI is set: every tool must be installed)\n";
    return status;
}
