// The control entry point: one JSON request in, one JSON reply out. Every failure is a reply.
#include <string>

#include "ControlOps.h"
#include "ControlReply.h"
#include "SteamSim.h"

using namespace Vyro::SteamSim;

namespace {

nlohmann::json Handle(const char* text)
{
    if (text == nullptr) {
        return Refusal("no request: the control text is null");
    }
    nlohmann::json request;
    try {
        request = nlohmann::json::parse(text);
    } catch (const nlohmann::json::parse_error& error) {
        return Refusal(std::string("the request is not valid JSON: ") + error.what());
    }
    if (!request.is_object()) {
        return Refusal("the request must be a JSON object with an \"op\"");
    }
    const auto op = request.find("op");
    if (op == request.end() || !op->is_string()) {
        return Refusal("the request needs \"op\" as a string (one of " + ControlOpNames() + ")");
    }
    const ControlOp handler = FindControlOp(op->get<std::string>());
    if (handler == nullptr) {
        return Refusal("unknown op \"" + op->get<std::string>() + "\" (one of " + ControlOpNames() + ")");
    }
    return handler(request);
}

} // namespace

extern "C" const char* VyroSim_Control(const char* json)
{
    // Per thread, so that a reply stays readable while another thread sends its own request.
    thread_local std::string reply;
    reply = Handle(json).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return reply.c_str();
}
