#pragma once

#include <utility>

#include <nlohmann/json.hpp>

#include "ControlFields.h"
#include "ControlReply.h"

// The shapes of control op that every simulator has.
namespace Vyro::Sim {

// An op that takes no members (such as "reset" or "state"): `answer()` gives the reply, unless the
// request has members.
template <typename AnswerFn>
nlohmann::json AnswerPlainRequest(const nlohmann::json& request, const char* op, AnswerFn answer)
{
    const ControlFields fields(request, op, {});
    return fields.Failed() ? Refusal(fields.Error()) : answer();
}

// The "set" op over `settings`, which the caller guards: `read(fields, copy)` reads the request into
// a copy, kept only when the whole request was valid, so that a refused request changes nothing.
template <typename Settings, typename Read>
nlohmann::json UpdateSettings(ControlFields& fields, Settings& settings, Read read)
{
    Settings updated = settings;
    read(fields, updated);
    if (fields.Failed()) {
        return Refusal(fields.Error());
    }
    settings = std::move(updated);
    return Success();
}

// An op that replaces one part of the simulator's state: `read(fields)` reads the new part (nothing
// when the request is refused), `apply(part)` puts it in place under the simulator's lock and gives
// the reply's details.
template <typename Read, typename Apply>
nlohmann::json ReplacePart(ControlFields& fields, Read read, Apply apply)
{
    auto part = read(fields);
    if (!part) {
        return Refusal(fields.Error());
    }
    return Success(apply(std::move(*part)));
}

} // namespace Vyro::Sim
