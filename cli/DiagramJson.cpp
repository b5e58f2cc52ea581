#include "cli/DiagramJson.h"

#include "cli/Json.h"

namespace vornik {

namespace {

std::string ColorJson(Rgb c) {
    return "[" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "]";
}

std::string Coord(const char* name, int value) {
    return std::string(",\"") + name + "\":" + std::to_string(value);
}

std::string OpJson(const DrawOp& op) {
    switch (op.kind) {
        case DrawOp::Kind::Fill:
            return "{\"op\":\"fill\"" + Coord("x1", op.x1) + Coord("y1", op.y1) + Coord("x2", op.x2) +
                   Coord("y2", op.y2) + ",\"color\":" + ColorJson(op.color) + "}";
        case DrawOp::Kind::Line:
            return "{\"op\":\"line\"" + Coord("x1", op.x1) + Coord("y1", op.y1) + Coord("x2", op.x2) +
                   Coord("y2", op.y2) + ",\"color\":" + ColorJson(op.color) +
                   ",\"style\":" + (op.style == PenStyle::Dot ? "\"dot\"" : "\"solid\"") +
                   Coord("width", op.width) + "}";
        case DrawOp::Kind::Text:
            return "{\"op\":\"text\"" + Coord("x", op.x1) + Coord("y", op.y1) +
                   ",\"text\":" + JsonString(op.text) + ",\"color\":" + ColorJson(op.color) +
                   ",\"font\":" + JsonString(op.face.value_or("default")) + Coord("size", op.size) + "}";
    }
    return "{}";
}

}  // namespace

std::string DiagramJson(const DiagramLabels& labels, const std::vector<DrawOp>& ops) {
    std::string out = "{\"label11\":" + (labels.label11 ? JsonString(*labels.label11) : std::string("null"));
    out += ",\"label12\":" + JsonString(labels.label12);
    out += ",\"legend\":" + JsonString(labels.legend);
    out += ",\"ops\":[";
    for (size_t k = 0; k < ops.size(); ++k) {
        out += (k ? "," : "") + OpJson(ops[k]);
    }
    return out + "]}";
}

}  // namespace vornik
