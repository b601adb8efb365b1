// Resources of one language: the dialog templates and menus come once per
// language, and the program takes those of its own language, whatever the
// thread's locale says (on Windows XP that picks the resources, on later
// Windows it does not).
#pragma once

#include "lang/languages.h"
#include "platform/win32/win32.h"

// The resource `id` of `type` in `language`; the one of any language when
// that language has none; null when there is none at all.
const void* FindResourceOf(HINSTANCE module, LPCWSTR type, unsigned id, Language language);
