#include "Releases.h"

#include <string>

#include "Calls.h"

namespace Vyro::EosSim {

void ReleaseCopy(const char* function, const void* record, CopyKind kind)
{
    JournalledCall(function, {{"copy", nullptr}}, [&](Call& call) {
        if (!call.Admitted(Needs::Nothing) || record == nullptr) {
            return;
        }
        const Copies::Released released = call.State().copies.Remove(record, kind);
        if (released.number) {
            call.Entry()["copy"] = *released.number;
        }
        call.Requires(released.outcome != Copies::Release::Unknown, "released twice, or never handed out");
        call.Requires(released.outcome != Copies::Release::OtherKind, std::string("not a copy of the kind this releases (") +
                                                                          NameOf(kind) + ")");
    });
}

} // namespace Vyro::EosSim
