#include "platform/win32/framework/resource_language.h"

const void* FindResourceOf(HINSTANCE module, LPCWSTR type, unsigned id, Language language)
{
    HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(id), ResourceLanguageOf(language));
    if (!found)
        found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    return loaded ? LockResource(loaded) : nullptr;
}
