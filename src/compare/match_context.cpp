#include "compare/match_context.h"

#include <algorithm>
#include <thread>

namespace {

// More would mostly wait for one another on the memory.
constexpr unsigned kMostSharingThreads = 8;

} // namespace

unsigned SharingThreads(const SMatchContext& context) {
    if (context.threads != 0)
        return context.threads;
    return std::clamp(std::thread::hardware_concurrency(), 1u, kMostSharingThreads);
}
