#pragma once
// Flat routing: each command id has at most one handler without arguments.
// Triggers call run(id); an id without a handler does nothing, so a trigger
// can exist before the subsystem that owns its command is in place.
#include "commands/CommandId.h"

#include <array>
#include <cstddef>
#include <functional>

namespace commands {

class CommandRouter {
public:
    using Handler = std::function<void()>;

    // Binds (or rebinds) the handler of a command; an empty handler unbinds it.
    void bind(CommandId id, Handler handler);
    bool isBound(CommandId id) const;
    // Runs the command's handler, if it has one. Returns whether one ran.
    bool run(CommandId id) const;

private:
    static std::size_t slot(CommandId id) { return static_cast<std::size_t>(id); }
    std::array<Handler, static_cast<std::size_t>(CommandId::Count)> m_handlers;
};

} // namespace commands
