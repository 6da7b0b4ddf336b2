#include "app/exit_code.h"

namespace {

int Severity(EExitCode code) {
    switch (code) {
    case kExitSuccess:
        return 0;
    case kExitUnresolvedConflicts:
        return 1;
    case kExitNeedsWindow:
        return 2;
    case kExitFailure:
        return 3;
    }
    return 3;
}

} // namespace

EExitCode MoreSevere(EExitCode a, EExitCode b) {
    return Severity(b) > Severity(a) ? b : a;
}
