// Built into the test programs and both programs of the sanitizer build only. Libraries that keep
// allocations for the life of the process, which LeakSanitizer would report at exit: fontconfig
// (Qt's font database holds them) and libdbus (the session bus connection Qt opens for the
// desktop's services, which no one closes before exit) and the web engine (its browser's
// singletons).
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:libdbus-1.so\n"
         "leak:libQt6WebEngineCore.so\n";
}

// The suppressed allocations are known: a clean exit stays quiet instead of listing them.
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
