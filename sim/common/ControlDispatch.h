#pragma once

#include <span>

#include <nlohmann/json.hpp>

namespace Vyro::Sim {

// One control op: the request object in, the reply object out.
using ControlOp = nlohmann::json (*)(const nlohmann::json& request);

struct NamedControlOp {
    const char* name;
    ControlOp op;
};

// Answers one control request text with the op it names: the reply text, valid until this
// thread's next call. Every failure (null or malformed text, unknown op) is a refusal reply.
const char* AnswerControlRequest(const char* text, std::span<const NamedControlOp> ops);

} // namespace Vyro::Sim
