#include "ControlDispatch.h"

#include <string>

#include "ControlReply.h"

namespace Vyro::Sim {

namespace {

std::string OpNames(std::span<const NamedControlOp> ops)
{
    std::string names;
    for (const NamedControlOp& entry : ops) {
        names += (names.empty() ? "" : ", ") + std::string(entry.name);
    }
    return names;
}

ControlOp FindOp(std::span<const NamedControlOp> ops, const std::string& name)
{
    for (const NamedControlOp& entry : ops) {
        if (name == entry.name) {
            return entry.op;
        }
    }
    return nullptr;
}

nlohmann::json Handle(const char* text, std::span<const NamedControlOp> ops)
{
    if (text == nullptr) {
        return Refusal("no request: the control text is null");
    }
    nlohmann::json request;
    try {
        request = nlohmann::json::parse(text);
    } catch (const nlohmann::json::exception& error) { // syntax, or a number no double holds
        return Refusal(std::string("the request is not valid JSON: ") + error.what());
    }
    if (!request.is_object()) {
        return Refusal("the request must be a JSON object with an \"op\"");
    }
    const auto op = request.find("op");
    if (op == request.end() || !op->is_string()) {
        return Refusal("the request needs \"op\" as a string (one of " + OpNames(ops) + ")");
    }
    const ControlOp handler = FindOp(ops, op->get<std::string>());
    if (handler == nullptr) {
        return Refusal("unknown op \"" + op->get<std::string>() + "\" (one of " + OpNames(ops) + ")");
    }
    return handler(request);
}

} // namespace

const char* AnswerControlRequest(const char* text, std::span<const NamedControlOp> ops)
{
    // Per thread, so that a reply stays readable while another thread sends its own request.
    thread_local std::string reply;
    reply = Handle(text, ops).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return reply.c_str();
}

} // namespace Vyro::Sim
