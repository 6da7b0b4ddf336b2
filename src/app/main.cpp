#include "app/application.h"

#include <span>

// The arguments are read here, before any Qt object exists.
int main(int argc, char** argv) {
    const std::span<const char* const> arguments(argv, static_cast<std::size_t>(argc));
    return RunApplication(arguments.subspan(arguments.empty() ? 0 : 1));
}
