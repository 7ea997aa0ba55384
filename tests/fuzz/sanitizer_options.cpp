// AddressSanitizer keeps freed memory out of use for a while, so that a use
// after the free finds it poisoned. Its default quarantine of 256 MB holds
// the frees of over a hundred thousand inputs: every block an input
// allocated came from pages never touched before, and the page faults were a
// good part of what an input cost. 16 MB still holds the frees of thousands
// of inputs, and each input builds what it works on afresh.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=16";
}
