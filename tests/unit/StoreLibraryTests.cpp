#include <gtest/gtest.h>

#include "LogCapture.h"
#include "core/StoreLibrary.h"

using namespace Vyro;
using VyroTest::LogCapture;

namespace {

struct TestStoreApi {
    int (*add)(int, int) = nullptr;
};

bool BindTestStore(const StoreLibrary& library, TestStoreApi& api) { return library.Bind("VyroTestStore_Add", api.add); }

const std::wstring kDirectory = Platform::Utf8ToWide(TEST_STORE_DIR);
const std::wstring kFile = Platform::Utf8ToWide(TEST_STORE_FILE);

// A library every machine's default search finds, standing in for a store runtime installed
// system-wide rather than beside the library.
#if defined(_WIN32)
const std::wstring kSystemLibrary = L"version.dll";
#else
const std::wstring kSystemLibrary = L"libc.so.6";
#endif

} // namespace

TEST(StoreLibrary, LoadsFromTheGivenFolderAndBindsByName)
{
    LogCapture log;
    const auto library = StoreLibrary::Load(kDirectory, kFile);
    ASSERT_NE(library, nullptr);
    TestStoreApi api;
    ASSERT_TRUE(BindTestStore(*library, api));
    EXPECT_EQ(api.add(2, 3), 5);
    EXPECT_EQ(library->Name(), TEST_STORE_FILE);
    EXPECT_TRUE(log.Lines().empty());
}

TEST(StoreLibrary, MissingFunctionIsAnErrorValueNamingIt)
{
    LogCapture log;
    const auto library = StoreLibrary::Load(kDirectory, kFile);
    ASSERT_NE(library, nullptr);
    void (*missing)() = reinterpret_cast<void (*)()>(1);
    EXPECT_FALSE(library->Bind("VyroTestStore_Missing", missing));
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(log.Messages(LogLevel::Error),
              std::vector<std::string>{"Function VyroTestStore_Missing not found in " + std::string(TEST_STORE_FILE)});
}

TEST(StoreLibrary, FallsBackToTheDefaultSearchWithAWarning)
{
    LogCapture log;
    const std::wstring elsewhere = kDirectory + Platform::kPathSeparator + L"no-such-folder";
    const auto library = StoreLibrary::Load(elsewhere, kSystemLibrary);
    EXPECT_NE(library, nullptr);
    const auto warnings = log.Messages(LogLevel::Warning);
    ASSERT_EQ(warnings.size(), 1u);
    const std::string expectedStart = "Failed to load DLL from: " +
                                      Platform::WideToUtf8(elsewhere + Platform::kPathSeparator + kSystemLibrary) +
                                      ", error: ";
    EXPECT_EQ(warnings[0].rfind(expectedStart, 0), 0u) << warnings[0];
    EXPECT_TRUE(log.Messages(LogLevel::Error).empty());
}

TEST(StoreLibrary, AbsentEverywhereIsAnErrorValue)
{
    LogCapture log;
    EXPECT_EQ(StoreLibrary::Load(kDirectory, L"no_such_store.dll"), nullptr);
    EXPECT_EQ(log.Messages(LogLevel::Warning).size(), 1u);
    const auto errors = log.Messages(LogLevel::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("Failed to load DLL no_such_store.dll, error: ", 0), 0u) << errors[0];
}

TEST(LazyStoreApi, BindsOnceAndRemembersAFailure)
{
    LogCapture log;
    LazyStoreApi<TestStoreApi> absent(L"no_such_store.dll", &BindTestStore);
    EXPECT_EQ(absent.Get(), nullptr);
    EXPECT_EQ(absent.Get(), nullptr);
    EXPECT_EQ(log.Messages(LogLevel::Error).size(), 1u) << "a missing store is reported once, not every call";

    TestStoreApi injected;
    injected.add = [](int a, int b) { return a * b; };
    LazyStoreApi<TestStoreApi> supplied(injected);
    ASSERT_NE(supplied.Get(), nullptr);
    EXPECT_EQ(supplied.Get()->add(4, 5), 20);
}
