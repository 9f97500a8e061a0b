#include "core/StoreLibrary.h"

#include "common/Logger.h"

namespace Vyro {

StoreLibrary::StoreLibrary(Platform::ModuleHandle module, std::string name) : module_(module), name_(std::move(name))
{
}

StoreLibrary::~StoreLibrary()
{
    if (!keepLoaded_) {
        Platform::FreeLibrary(module_);
    }
}

std::unique_ptr<StoreLibrary> StoreLibrary::Load(const std::wstring& directory, const std::wstring& fileName)
{
    if (!directory.empty()) {
        std::wstring path = directory;
        path += Platform::kPathSeparator;
        path += fileName;
        if (Platform::ModuleHandle module = Platform::LoadLibraryFrom(path)) {
            return std::unique_ptr<StoreLibrary>(new StoreLibrary(module, Platform::WideToUtf8(fileName)));
        }
        Log(LogLevel::Warning, "Failed to load DLL from: {}, error: {}", Platform::WideToUtf8(path),
            Platform::LastLoadError());
    }
    if (Platform::ModuleHandle module = Platform::LoadLibraryByName(fileName)) {
        return std::unique_ptr<StoreLibrary>(new StoreLibrary(module, Platform::WideToUtf8(fileName)));
    }
    Log(LogLevel::Error, "Failed to load DLL {}, error: {}", Platform::WideToUtf8(fileName), Platform::LastLoadError());
    return nullptr;
}

std::unique_ptr<StoreLibrary> StoreLibrary::LoadBesideLibrary(const std::wstring& fileName)
{
    return Load(Platform::GetDllDirectory(Platform::kOwnModuleName), fileName);
}

void* StoreLibrary::FindFunction(const char* name) const
{
    void* function = Platform::FindFunction(module_, name);
    if (function == nullptr) {
        Log(LogLevel::Error, "Function {} not found in {}", name, name_);
    }
    return function;
}

} // namespace Vyro
