// The media service test brings in GLib, whose quark table leaves its first block behind on
// purpose when it grows; that block was allocated while the loader initialised GLib. Only
// allocations made during library initialisation are waived. GLib is built without frame
// pointers, so the checker unwinds the slow way, a few frames deep, to see their origin.
extern "C" const char* __asan_default_options() {
  return "fast_unwind_on_malloc=0:malloc_context_size=8";
}
extern "C" const char* __lsan_default_suppressions() {
  return "leak:_dl_init\n";
}
