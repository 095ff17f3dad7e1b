// The leak checker's suppressions for every fuzz program. The font library keeps what it
// found for every face name asked for until the process ends; that is its cache, not a leak
// of the program's.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
