// Two runtime functions that the setup program can never reach, defined here so that
// the linker does not bring in the library objects that hold them.
//
// Throwing any standard exception with a message brings in the runtime's copy-on-write
// string, which the exception classes keep their message in. That object also holds
// std::random_device's constructor from such a string, and its bridge to the new string
// type; each names a function in another object (random_device's setup, the small-string
// bridge), and those objects bring in the whole explicit instantiation of std::string.
// On this target the linker keeps every function that has unwind information, so every
// one of those objects comes in whole: about 32 KiB of the 32-bit program, none of it
// used. The program makes no random_device and no old-ABI string conversion (it has no
// iostreams), so neither function below is ever called; should a future runtime call
// one, the program stops rather than run on with a string it did not make. A runtime
// object that needs another symbol of either object still links: the linker then
// reports the duplicate, which a build notices.
//
// Linked into the setup programs as an object of its own, as QuietTerminate.cpp is.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <random>

void std::random_device::_M_init(const char*, std::size_t) {
    std::abort();
}

// std::__sso_string::__sso_string(const char*, std::size_t), declared by the runtime's
// headers only for the old string ABI, so named here by its assembler symbol.
#define QUORVIN_TEXT(x) #x
#define QUORVIN_EXPANDED_TEXT(x) QUORVIN_TEXT(x)
#if SIZE_MAX == UINT32_MAX
#define QUORVIN_SIZE_T_CODE "j"
#else
#define QUORVIN_SIZE_T_CODE "y"
#endif
extern "C" [[noreturn]] void SmallStringFromCharacters(void*, const char*, std::size_t) asm(
    QUORVIN_EXPANDED_TEXT(__USER_LABEL_PREFIX__) "_ZNSt12__sso_stringC1EPKc" QUORVIN_SIZE_T_CODE);

extern "C" void SmallStringFromCharacters(void*, const char*, std::size_t) {
    std::abort();
}
