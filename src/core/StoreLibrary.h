#pragma once

#include <memory>
#include <string>

#include "common/Platform.h"

namespace Vyro {

// A loaded store runtime library; unloaded when destroyed.
class StoreLibrary {
public:
    // Loads `fileName` from `directory` first (so that its own dependencies are found there too),
    // then by the platform's default search. Null, with the reason logged, when neither works.
    static std::unique_ptr<StoreLibrary> Load(const std::wstring& directory, const std::wstring& fileName);
    // The same from the library's own folder.
    static std::unique_ptr<StoreLibrary> LoadBesideLibrary(const std::wstring& fileName);

    ~StoreLibrary();
    StoreLibrary(const StoreLibrary&) = delete;
    StoreLibrary& operator=(const StoreLibrary&) = delete;

    // Resolves an exported function into `slot`; false, with an ERROR naming it, when it is missing.
    template <typename Function>
    bool Bind(const char* name, Function*& slot) const
    {
        slot = reinterpret_cast<Function*>(FindFunction(name));
        return slot != nullptr;
    }

    const std::string& Name() const { return name_; }

    // Leaves the library loaded when this object goes, for runtimes whose own threads may still be
    // running inside it; and this library too, since those threads call back into it.
    void KeepLoadedForProcess()
    {
        keepLoaded_ = true;
        Platform::PinCurrentModule();
    }

private:
    StoreLibrary(Platform::ModuleHandle module, std::string name);
    void* FindFunction(const char* name) const;

    Platform::ModuleHandle module_;
    std::string name_;
    bool keepLoaded_ = false;
};

// A store's function table, bound on first use: the library is loaded and every function resolved
// the first time a channel needs the store, never during detection. A failure is remembered, so a
// missing store is reported once rather than every frame.
template <typename Table>
class LazyStoreApi {
public:
    using BindFunction = bool (*)(const StoreLibrary& library, Table& table);
    // Whether the library is unloaded with this object or stays for the rest of the process.
    enum class Lifetime { WithApi, Process };

    LazyStoreApi(std::wstring fileName, BindFunction bind, Lifetime lifetime = Lifetime::WithApi)
        : fileName_(std::move(fileName)), bind_(bind), lifetime_(lifetime)
    {
    }
    // A table supplied up front, for channels driven by test functions.
    explicit LazyStoreApi(const Table& table) : table_(table), state_(State::Bound) {}
    // A table of functions the library is linked against, usable once `load` (run at the first Get)
    // has confirmed that the store library those functions live in is there.
    LazyStoreApi(const Table& table, bool (*load)()) : load_(load), table_(table) {}

    // The bound table, or null when the store library or one of its functions is missing.
    const Table* Get()
    {
        if (state_ == State::Unbound) {
            state_ = load_ != nullptr ? (load_() ? State::Bound : State::Failed) : LoadAndBind();
        }
        return Bound();
    }

    // The table if an earlier Get bound it; never loads anything.
    const Table* Bound() const { return state_ == State::Bound ? &table_ : nullptr; }

private:
    enum class State { Unbound, Bound, Failed };

    State LoadAndBind()
    {
        library_ = StoreLibrary::LoadBesideLibrary(fileName_);
        if (library_ && lifetime_ == Lifetime::Process) {
            library_->KeepLoadedForProcess();
        }
        return library_ && bind_(*library_, table_) ? State::Bound : State::Failed;
    }

    std::wstring fileName_;
    BindFunction bind_ = nullptr;
    bool (*load_)() = nullptr;
    Lifetime lifetime_ = Lifetime::WithApi;
    std::unique_ptr<StoreLibrary> library_;
    Table table_{};
    State state_ = State::Unbound;
};

} // namespace Vyro
