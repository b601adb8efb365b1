// Group Policy over the options: whether a policy value keeps an option's
// feature on or off whatever its preference says, and where gpedit shows
// that policy. Veilmark reads policy values; it never writes, deletes,
// backs up or exports one.
#pragma once

#include <string>

#include "lang/languages.h"
#include "platform/registry.h"
#include "settings/catalogue.h"

// What the policies of an option decide about its feature.
enum class PolicyForce { None, KeepsOn, KeepsOff };

struct PolicyDecision {
    PolicyForce force = PolicyForce::None;
    const PolicyValue* value = nullptr;  // the value that decided; null when none did

    bool Decides() const { return force != PolicyForce::None; }
};

// The decision of the first of the option's policy values, in their order,
// that holds data forcing its feature on or off; none when no value does
// (missing, unreadable, of another type or with other data).
PolicyDecision ReadPolicy(IRegistry& registry, const CatalogueEntry& entry);

// The policy as gpedit shows it, in `language`, such as "Computer
// Configuration\Administrative Templates\System\Error Reporting\Report Errors".
std::string PolicyPlace(const PolicyValue& value, Language language);
