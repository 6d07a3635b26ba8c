#include "commands/CommandRouter.h"

namespace commands {

namespace {
bool valid(CommandId id)
{
    return id > CommandId::None && id < CommandId::Count;
}
} // namespace

void CommandRouter::bind(CommandId id, Handler handler)
{
    if (valid(id))
        m_handlers[slot(id)] = std::move(handler);
}

bool CommandRouter::isBound(CommandId id) const
{
    return valid(id) && static_cast<bool>(m_handlers[slot(id)]);
}

bool CommandRouter::run(CommandId id) const
{
    if (!isBound(id))
        return false;
    // Copy first: a handler may rebind its own command while it runs.
    const Handler handler = m_handlers[slot(id)];
    handler();
    return true;
}

} // namespace commands
