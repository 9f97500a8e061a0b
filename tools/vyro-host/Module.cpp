#include "Module.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace VyroHost {

std::unique_ptr<Module> Module::Open(const std::filesystem::path& path, std::string& error)
{
#if defined(_WIN32)
    HMODULE handle = LoadLibraryW(path.wstring().c_str());
    if (handle == nullptr) {
        error = "LoadLibraryW failed for " + path.string() + ", error " + std::to_string(GetLastError());
        return nullptr;
    }
#else
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        error = dlerror();
        return nullptr;
    }
#endif
    return std::unique_ptr<Module>(new Module(reinterpret_cast<void*>(handle)));
}

Module::~Module()
{
#if defined(_WIN32)
    FreeLibrary(static_cast<HMODULE>(handle_));
#else
    dlclose(handle_);
#endif
}

void* Module::Symbol(const char* name) const
{
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
#else
    return dlsym(handle_, name);
#endif
}

} // namespace VyroHost
