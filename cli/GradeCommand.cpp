#include "cli/GradeCommand.h"

#include "cli/ClassSetCommand.h"

namespace vornik {

bool HasGradeOptions(const CliOptions& o) {
    return o.grade || o.answers || o.scale || o.thresholds;
}

std::string GradeRequestFrom(const CliOptions& o, GradeRequest& request) {
    if (!o.grade) {
        return "--answers, --scale and --thresholds go with --grade SETDIR";
    }
    if (HasClassSetOptions(o) || o.check || o.json || o.diagram || o.out || o.pdf || o.saveTask) {
        return "--grade writes its own folder; leave out the class-set options, --check, --json, --diagram, "
               "--out, --pdf and --save-task";
    }
    if (o.grade->empty()) {
        return "--grade needs the folder of the class set";
    }
    if (!o.answers || o.answers->empty()) {
        return "--grade needs --answers PATH (a CSV table or a folder of .vornik-answers files)";
    }
    if (o.positional.size() != 1 || o.positional.front().empty()) {
        return "--grade needs one OUTDIR: vornik-cli --grade SETDIR --answers PATH OUTDIR";
    }
    request.setDir = *o.grade;
    request.answersPath = *o.answers;
    request.outDir = o.positional.front();
    if (o.scale) {
        if (*o.scale != "5" && *o.scale != "100") {
            return "--scale takes 5 or 100";
        }
        request.scale.scale = *o.scale == "5" ? 5 : 100;
    }
    if (o.thresholds) {
        if (request.scale.scale != 5) {
            return "--thresholds goes with --scale 5";
        }
        if (!ParseThresholds(*o.thresholds, request.scale.thresholds)) {
            return "--thresholds takes three whole per cents rising from 1 to 100, e.g. 50,70,85";
        }
    }
    return std::string();
}

}  // namespace vornik
