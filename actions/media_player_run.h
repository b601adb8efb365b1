// The Media Player run: the player started once, minimised, and closed
// again once it has made its settings, while the wait box shows.
#pragma once

#include "lang/languages.h"
#include "platform/host_machine.h"
#include "platform/target_system.h"

namespace actions {

// Waits 10 s, then up to 15 polls of 1 s for the player's window, which is
// then sent the close message; a player that does not handle it is ended.
void ConfigureMediaPlayer(const TargetSystem& target, const HostMachine& host, Language language);

// The same run without the wait box, for a run without a dialog. False when
// the player could not be started (the waits are kept all the same).
bool RunMediaPlayerOnce(const TargetSystem& target, const HostMachine& host);

}  // namespace actions
