#pragma once

#include <cstdint>

namespace NCommands {

// What carries out the main window's commands: the window itself, or a
// stand-in in tests.
class ICommandTarget {
public:
    virtual ~ICommandTarget() = default;
    // Whether `command` may run now, by its enabling rule.
    virtual bool IsCommandEnabled(std::uint32_t command) const = 0;
    // Whether the menu item of `command` shows a check mark.
    virtual bool IsCommandChecked(std::uint32_t /*command*/) const { return false; }
    virtual void RunCommand(std::uint32_t command) = 0;
};

} // namespace NCommands
