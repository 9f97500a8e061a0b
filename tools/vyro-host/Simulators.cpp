#include "Simulators.h"

#include <algorithm>
#include <system_error>

namespace VyroHost {

bool Simulators::IsStaged(const std::string& runtime) const
{
    std::error_code error;
    return std::filesystem::is_regular_file(folder_ / runtime, error);
}

Simulators::ControlFunction Simulators::Find(const std::string& runtime, std::string& error)
{
    if (linkedControl_ != nullptr &&
        std::find(linkedRuntimes_.begin(), linkedRuntimes_.end(), runtime) != linkedRuntimes_.end()) {
        return linkedControl_;
    }
    auto& module = loaded_[runtime];
    if (!module) {
        module = Module::Open(folder_ / runtime, error);
        if (!module) {
            loaded_.erase(runtime);
            return nullptr;
        }
    }
    auto control = reinterpret_cast<ControlFunction>(module->Symbol("VyroSim_Control"));
    if (control == nullptr) {
        error = runtime + " has no VyroSim_Control export";
    }
    return control;
}

std::optional<std::string> Simulators::Control(const std::string& runtime, const std::string& request,
                                               std::string& error)
{
    const ControlFunction control = Find(runtime, error);
    if (control == nullptr) {
        return std::nullopt;
    }
    const char* reply = control(request.c_str());
    return std::string(reply == nullptr ? "null" : reply);
}

} // namespace VyroHost
