// The C++ runtime's failure paths, for veilmark.exe, which is built without
// exceptions. The standard library reports a failed allocation or a broken
// precondition (a string grown past its maximum, an index out of range) by
// throwing; the program catches none of them (see unexpected_error.h), so each ends
// the program at once with the message of EndAfterUnexpectedError, as an exception reaching
// std::terminate would. Defining them here keeps the runtime's own versions
// out of the link, and with them the exception machinery, the library's
// exception classes and the second string implementation those carry:
// about a fifth of the program's size.
#include <cstdlib>
#include <new>

#include "host/main_app.h"
#include "platform/win32/framework/unexpected_error.h"

namespace std {

void __throw_bad_alloc() { EndAfterUnexpectedError(ProgramLanguage()); }
void __throw_bad_array_new_length() { EndAfterUnexpectedError(ProgramLanguage()); }
void __throw_length_error(const char*) { EndAfterUnexpectedError(ProgramLanguage()); }
void __throw_logic_error(const char*) { EndAfterUnexpectedError(ProgramLanguage()); }
void __throw_out_of_range_fmt(const char*, ...) { EndAfterUnexpectedError(ProgramLanguage()); }

}  // namespace std

// The runtime's terminate handler. Its own prints the type of the exception
// to the standard error stream, which a GUI program has none of, and alone
// brings a demangler and a printf into the program.
namespace __gnu_cxx {

void __verbose_terminate_handler() { EndAfterUnexpectedError(ProgramLanguage()); }

}  // namespace __gnu_cxx

// Allocation: the program has no new-handler, so a failed allocation ends it.
void* operator new(std::size_t size)
{
    if (void* block = std::malloc(size ? size : 1))
        return block;
    EndAfterUnexpectedError(ProgramLanguage());
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
