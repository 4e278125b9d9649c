// Built into the test programs of the sanitizer build only. fontconfig keeps allocations for the
// life of the process (Qt's font database holds them), which LeakSanitizer would report.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
