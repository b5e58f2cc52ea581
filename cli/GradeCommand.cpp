#include "cli/GradeCommand.h"

#include "cli/ClassSetCommand.h"

namespace vornik {

bool HasGradeOptions(const CliOptions& o) {
    return o.grade || o.answers || o.scale || o.thresholds;
}

Outcome<GradeRequest> GradeRequestFrom(const CliOptions& o) {
    if (!o.grade) {
        return Failure{"--answers, --scale и --thresholds — только вместе с --grade ПАПКА_НАБОРА", ""};
    }
    if (HasClassSetOptions(o) || o.check || o.json || o.diagram || o.out || o.pdf || o.saveTask) {
        return Failure{
            "--grade пишет свою папку; уберите ключи набора вариантов, --check, --json, --diagram, --out, "
            "--pdf и --save-task",
            ""};
    }
    if (o.grade->empty()) {
        return Failure{"--grade: нужна папка набора вариантов", ""};
    }
    if (!o.answers || o.answers->empty()) {
        return Failure{"--grade: нужно --answers ПУТЬ (таблица CSV или папка файлов .vornik-answers)", ""};
    }
    if (o.positional.size() != 1 || o.positional.front().empty()) {
        return Failure{
            "--grade: нужна одна папка результатов: vornik-cli --grade ПАПКА_НАБОРА --answers ПУТЬ ПАПКА",
            ""};
    }
    GradeRequest request;
    request.setDir = *o.grade;
    request.answersPath = *o.answers;
    request.outDir = o.positional.front();
    if (o.scale) {
        if (*o.scale != "5" && *o.scale != "100") {
            return Failure{"--scale: 5 или 100", ""};
        }
        request.scale.scale = *o.scale == "5" ? 5 : 100;
    }
    if (o.thresholds) {
        if (request.scale.scale != 5) {
            return Failure{"--thresholds — только со шкалой --scale 5", ""};
        }
        if (!ParseThresholds(*o.thresholds, request.scale.thresholds)) {
            return Failure{"--thresholds: три целых процента от 1 до 100 по возрастанию, например 50,70,85",
                           ""};
        }
    }
    return request;
}

}  // namespace vornik
