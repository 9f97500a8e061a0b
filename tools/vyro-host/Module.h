#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace VyroHost {

// A shared library loaded by path (LoadLibraryW / dlopen); unloaded when destroyed.
class Module {
public:
    // Null with `error` set when the file cannot be loaded.
    static std::unique_ptr<Module> Open(const std::filesystem::path& path, std::string& error);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // Null when the module does not export `name`.
    void* Symbol(const char* name) const;

private:
    explicit Module(void* handle) : handle_(handle) {}

    void* handle_;
};

} // namespace VyroHost
