#pragma once
// The self-check as JSON, for vornik-cli --check --json and the web core:
//   sheet: {"modes":[{"mode","caption","quantities":[{"quantity","label","unit","angle",
//           "nonNegative","section"}…]}…]}
//   marks: {"answers":[{"mode","quantity","label","unit","answer","expected","verdict","mistake",
//           "section"[,"mistakeName","explanation"][,"hint"]}…],"score":{"right","carried","total"},
//           "modes":[{"mode","right","carried","total"}…]}
// and the answers file's members as one object.
//
// The web core exports (web/core/WebCore.cpp), each answering JSON text, on the task of the inputs
// last set (vk_set_text, vk_set_check, vk_set_star, vk_set_precision):
//   vk_check_sheet()                          the sheet, or {"message","error"} when the run stops
//   vk_check_mark(answers)                    `answers` {"normal":{"IaMod":"20,8",…},…} → the marks
//   vk_check_section(mode, section)           {"lines":[…]}: "Показать шаг N"
//   vk_answers_read(bytes, size, name)        {"file":{"task":{as vk_task_read's},"student","group",
//                                             "answers","revealed":{"sections","solution"},"saved"}}
//                                             or {"error":text}
//   vk_answers_write(file)                    the answers file's text of `file` {"title","student",
//                                             "group","answers","revealed","saved"} with the inputs'
//                                             task; the page gives "saved" (UTC, as toISOString)

#include "check/AnswersFile.h"
#include "check/Marking.h"
#include "json/Json.h"

namespace vornik {

Json SheetJson(const AnswerSheet& sheet);
Json MarksJson(const Marks& marks);

// {"lines":[…]} of one section of one mode.
Json SectionJson(const AnswerSheet& sheet, const std::string& mode, const std::string& section);

// The answers as the answers file keeps them: {"normal":{"IaMod":"20,8",…},…}, and back.
Json AnswersJson(const std::vector<AnswerEntry>& answers);
std::vector<AnswerEntry> AnswersOf(const Json& object);

}  // namespace vornik
