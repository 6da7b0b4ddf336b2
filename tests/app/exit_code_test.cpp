#include "app/exit_code.h"

#include <gtest/gtest.h>

TEST(ExitCode, TheMoreSevereOutcomeWinsWhicheverComesFirst) {
    // In rising severity.
    const EExitCode order[] = {kExitSuccess, kExitUnresolvedConflicts, kExitNeedsWindow,
                               kExitFailure};
    for (std::size_t lower = 0; lower < std::size(order); ++lower)
        for (std::size_t higher = lower; higher < std::size(order); ++higher) {
            EXPECT_EQ(MoreSevere(order[lower], order[higher]), order[higher]);
            EXPECT_EQ(MoreSevere(order[higher], order[lower]), order[higher]);
        }
}
