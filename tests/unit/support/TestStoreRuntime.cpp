// A stand-in store runtime with one function, for the store library loader's tests.
#if defined(_WIN32)
#define TEST_STORE_EXPORT extern "C" __declspec(dllexport)
#else
#define TEST_STORE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

TEST_STORE_EXPORT int VyroTestStore_Add(int a, int b) { return a + b; }
