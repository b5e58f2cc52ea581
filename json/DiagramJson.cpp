#include "json/DiagramJson.h"

namespace vornik {

namespace {

Json ColorJson(Rgb c) {
    return Json::array({c.r, c.g, c.b});
}

Json OpJson(const DrawOp& op) {
    Json j = Json::object();
    switch (op.kind) {
        case DrawOp::Kind::Fill:
        case DrawOp::Kind::Line:
            j["op"] = op.kind == DrawOp::Kind::Fill ? "fill" : "line";
            j["x1"] = op.x1;
            j["y1"] = op.y1;
            j["x2"] = op.x2;
            j["y2"] = op.y2;
            j["color"] = ColorJson(op.color);
            if (op.kind == DrawOp::Kind::Line) {
                j["style"] = op.style == PenStyle::Dot ? "dot" : "solid";
                j["width"] = op.width;
            }
            break;
        case DrawOp::Kind::Text:
            j["op"] = "text";
            j["x"] = op.x1;
            j["y"] = op.y1;
            j["text"] = op.text;
            j["color"] = ColorJson(op.color);
            j["font"] = op.face.value_or("default");
            j["size"] = op.size;
            break;
    }
    return j;
}

}  // namespace

Json DiagramJson(const DiagramLabels& labels, const std::vector<DrawOp>& ops) {
    Json out = Json::object();
    out["label11"] = labels.label11 ? Json(*labels.label11) : Json(nullptr);
    out["label12"] = labels.label12;
    out["legend"] = labels.legend;
    Json list = Json::array();
    for (const DrawOp& op : ops) {
        list.push_back(OpJson(op));
    }
    out["ops"] = std::move(list);
    return out;
}

}  // namespace vornik
