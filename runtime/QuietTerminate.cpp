// The handler std::terminate calls when an exception escapes everything.
//
// libstdc++'s own handler prints the exception's demangled type name to standard
// error, which brings its C++ demangler (about 46 KiB) into every program. The
// window and the companion are GUI programs with no console to print to, the
// window's message loop reports every exception a handler lets out, and the
// command-line program turns every exception into its one-line error and exit code,
// so terminating is all that is left to do. This file is linked into each
// program as an object of its own, ahead of the runtime's archive, so that the
// linker takes this definition instead of the runtime's.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
