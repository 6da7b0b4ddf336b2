#pragma once

// What the process tells the program or script that ran it.
enum EExitCode : int {
    // Done; differences found are no failure.
    kExitSuccess = 0,
    // A silent merge left conflicts unresolved; no result was written.
    kExitUnresolvedConflicts = 1,
    // A file could not be loaded, no format specification could be chosen,
    // the result or the report could not be written, or the command line is
    // wrong.
    kExitFailure = 2,
    // The run needs the window, which this build does not have yet.
    kExitNeedsWindow = 3,
};

// The code that tells more of two outcomes: a failure before a missing
// window before unresolved conflicts before success.
EExitCode MoreSevere(EExitCode a, EExitCode b);
