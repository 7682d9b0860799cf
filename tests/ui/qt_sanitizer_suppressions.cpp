// The system's Qt and its helpers are not built with the sanitizers: the
// thread sanitizer cannot see how they synchronise (Qt's own mutexes and
// thread pool), and they keep some allocations for the life of the process.
// What they report about themselves is left out; our code is still checked.
extern "C" const char* __tsan_default_suppressions() {
    return "race:libQt6Core.so\n"
           "race:libQt6Gui.so\n"
           "race:libQt6Widgets.so\n"
           "race:libQt6XcbQpa.so\n"
           "race:libfontconfig.so\n"
           "race:libglib-2.0.so\n"
           "race:libdbus-1.so\n";
}

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n"
           "leak:libfontconfig.so\n";
}
