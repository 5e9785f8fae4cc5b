// Leaks of the system libraries that the game's plays load (the D-Bus client
// that SDL's video start-up opens keeps its buffers for the life of the
// process). Read by LeakSanitizer in the sanitizer builds; one definition for
// the whole game test program.
extern "C" char const* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}
