#pragma once

// The part of the Xbox services C API the Xbox channel uses, declared as
// Microsoft.Xbox.Services.GDK.C.Thunks.dll exports it. On the GDK its user handle is the Gaming
// Runtime's XUserHandle and its asynchronous calls take the runtime's XAsyncBlock.
#include <cstddef>

#include "channels/xbox/GameRuntimeApi.h"

namespace Vyro::Xbl {

inline constexpr wchar_t kServicesFileName[] = L"Microsoft.Xbox.Services.GDK.C.Thunks.dll";

using Gdk::HResult;

using XblContextHandle = struct XblContext*;
using XblUserHandle = Gdk::XUserHandle;

// On the GDK the initialisation arguments are the queue for the library's own work and the title's
// service configuration id.
struct XblInitArgs {
    Gdk::XTaskQueueHandle queue;
    const char* scid;
};

static_assert(sizeof(XblInitArgs) == 16 && offsetof(XblInitArgs, scid) == 8);

// The exports of the Xbox services library that the channel calls.
using XblInitialize_t = HResult(const XblInitArgs* args);
using XblCleanupAsync_t = HResult(Gdk::XAsyncBlock* asyncBlock);
using XblContextCreateHandle_t = HResult(XblUserHandle user, XblContextHandle* context);
using XblContextCloseHandle_t = void(XblContextHandle context);

// One pointer per export, bound by name; each member is named after its export.
struct XblApi {
    XblInitialize_t* XblInitialize = nullptr;
    XblCleanupAsync_t* XblCleanupAsync = nullptr;
    XblContextCreateHandle_t* XblContextCreateHandle = nullptr;
    XblContextCloseHandle_t* XblContextCloseHandle = nullptr;
};

// Resolves every export of the table; false (each missing one logged) when any is missing.
bool BindXblApi(const StoreLibrary& library, XblApi& api);

} // namespace Vyro::Xbl
