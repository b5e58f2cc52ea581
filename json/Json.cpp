#include "json/Json.h"

namespace vornik {

namespace {

Json RecordJson(const SolutionRecord& r) {
    Json numbers = Json::array();
    for (int k = 0; k < kFieldCount; ++k) {
        numbers.push_back(r[k]);
    }
    return numbers;
}

}  // namespace

Json RunJson(const RunOutput& run) {
    Json out = Json::object();
    out["report"] = run.report;
    out["message"] = run.message ? Json(*run.message) : Json(nullptr);
    out["completed"] = run.completed;
    out["record"] = RecordJson(run.state->live);
    Json slots = Json::array();
    for (const SolutionRecord& slot : run.state->modeSlots) {
        slots.push_back(RecordJson(slot));
    }
    out["slots"] = std::move(slots);
    if (run.diagram) {
        out["diagram"] = *run.diagram;
    }
    return out;
}

std::string JsonText(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace vornik
