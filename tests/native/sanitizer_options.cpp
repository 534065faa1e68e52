// Sanitizer options of the native tests, built into the program so that every
// test process runs with them (see CMakeLists.txt).
#if defined(KX_ASAN_OPTIONS)
extern "C" const char* __asan_default_options() { return KX_ASAN_OPTIONS; }
extern "C" const char* __ubsan_default_options() { return KX_UBSAN_OPTIONS; }
#endif
