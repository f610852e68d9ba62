#pragma once

// What a sanitizer build changes for tests that bound time or memory: every access is checked
// in a Debug build, so limits the program keeps in release builds are widened, and the address
// sanitizer holds freed memory back from reuse (its quarantine), so resident memory says
// nothing about what the program keeps.

#if defined(__SANITIZE_ADDRESS__)
#define UMBRASCOPE_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UMBRASCOPE_TEST_ASAN 1
#endif
#endif

#if defined(__SANITIZE_THREAD__)
#define UMBRASCOPE_TEST_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define UMBRASCOPE_TEST_TSAN 1
#endif
#endif

namespace umbrascope {

#if defined(UMBRASCOPE_TEST_ASAN)
constexpr bool AddressSanitizerBuild = true;
#else
constexpr bool AddressSanitizerBuild = false;
#endif

#if defined(UMBRASCOPE_TEST_ASAN) || defined(UMBRASCOPE_TEST_TSAN)
constexpr int SanitizerSlowdown = 5;
#else
constexpr int SanitizerSlowdown = 1;
#endif

} // namespace umbrascope
