#pragma once

#include <functional>
#include <type_traits>

// Runs `work` on the thread of the application object, where every widget
// lives, and returns when it has finished: at once when the caller is that
// thread, else as a blocking queued call. The user-interface thread must keep
// processing events meanwhile (a modal dialog's loop does), or the caller
// waits for ever. There must be an application object.
void RunOnUserInterfaceThread(const std::function<void()>& work);

// The same for work with a result.
template <typename Work> std::invoke_result_t<Work> CallOnUserInterfaceThread(Work&& work) {
    std::invoke_result_t<Work> result{};
    RunOnUserInterfaceThread([&result, &work] { result = work(); });
    return result;
}
