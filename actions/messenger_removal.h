// The removal of Windows Messenger: after the user's Yes, the system's INF
// installer runs the removal section of the Messenger INF file, while the
// wait box shows for 10 seconds.
#pragma once

#include <string>

#include "lang/languages.h"
#include "platform/host_machine.h"
#include "platform/target_system.h"

namespace actions {

// The question and the wait text in `language`.
void RemoveMessenger(const TargetSystem& target, const HostMachine& host, Language language);

// The removal itself, without the question and the wait box: the installer
// started, then 10 seconds for it. False when it could not be started.
bool RunMessengerUninstaller(const TargetSystem& target, const HostMachine& host);

// The target's Windows folder: "SystemRoot" of its registry, or where the
// system says it is when that cannot be read.
std::string SystemRoot(const TargetSystem& target);

}  // namespace actions
