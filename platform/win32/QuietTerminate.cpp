// Replaces libstdc++'s default terminate handler. The default one prints the
// type of the uncaught exception to stderr, which a GUI program does not
// have, and for that links the C++ name demangler and a printf: some 75 KB,
// a quarter of the executable. Nothing should reach it anyway: every entry
// point catches what may be thrown (Main.cpp `Guarded`). Like the default,
// it ends the program abnormally.
//
// Should another part of libstdc++ ever need the default one's object file,
// the link fails with a duplicate definition rather than silently growing.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
