#include "cli/CliOptions.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "solver/Text.h"
#include "solver/Version.h"

namespace vornik {

namespace {

// The field of a text option, or nullptr.
const FieldSpec* FieldOption(std::string_view arg) {
    for (const FieldSpec& f : kFields) {
        if (arg == f.option) {
            return &f;
        }
    }
    return nullptr;
}

// The check box that `option value` ticks in the given connection, or nullptr.
const TickSpec* TickOption(std::string_view option, std::string_view value, bool star) {
    for (const TickSpec& t : kTicks) {
        if (option == (star ? t.starOption : t.deltaOption) && value == (star ? t.starValue : t.deltaValue)) {
            return &t;
        }
    }
    return nullptr;
}

// "U.mag U.ang ... S.im": the names --decimals takes.
std::string PrecisionNameList() {
    std::string out;
    for (const PrecisionSpec& p : kPrecisionFields) {
        if (!out.empty()) {
            out += ' ';
        }
        out += p.name;
    }
    return out;
}

// The options that take one text and keep it as given, with what a missing value is told.
struct TextOption {
    std::string_view name;
    std::optional<std::string> CliOptions::*member;
    const char* missing;
};

constexpr const char* kNeedsFile = ": нужно имя файла";
constexpr const char* kNeedsValue = ": нужно значение (см. --help)";

const TextOption kTextOptions[] = {
    {"--save-task", &CliOptions::saveTask, kNeedsFile},
    {"--diagram", &CliOptions::diagram, ": нужен выбор диаграммы: 1..14 или РЕЖИМ:ВИД, например normal:U"},
    {"--pdf", &CliOptions::pdf, kNeedsFile},
    {"--out", &CliOptions::out, kNeedsFile},
    {"--check", &CliOptions::check, ": нужны ответы: файл ответов или таблица CSV режим,величина,ответ"},
    {"--class-set", &CliOptions::classSet, kNeedsValue},
    {"--variants", &CliOptions::variants, kNeedsValue},
    {"--count", &CliOptions::count, kNeedsValue},
    {"--seed", &CliOptions::seed, kNeedsValue},
    {"--key-fields", &CliOptions::keyFields, kNeedsValue},
    {"--tolerance", &CliOptions::tolerance, kNeedsValue},
    {"--angle-tolerance", &CliOptions::angleTolerance, kNeedsValue},
    {"--quiz-decimal", &CliOptions::quizDecimal, kNeedsValue},
    {"--grade", &CliOptions::grade, ": нужна папка набора вариантов"},
    {"--answers", &CliOptions::answers, ": нужны ответы: папка файлов ответов или таблица CSV"},
    {"--scale", &CliOptions::scale, ": нужна шкала: 5 или 100"},
    {"--thresholds", &CliOptions::thresholds, ": нужны пороги, например 50,70,85"},
};

const TextOption* FindTextOption(std::string_view arg) {
    for (const TextOption& t : kTextOptions) {
        if (arg == t.name) {
            return &t;
        }
    }
    return nullptr;
}

// The arguments one option at a time; "--opt=value" is the same as "--opt value".
class Arguments {
  public:
    Arguments(int argc, const char* const* argv) : argc_(argc), argv_(argv) {}

    // Moves to the next option; false after the last.
    bool Next() {
        if (++i_ >= argc_) {
            return false;
        }
        option_ = argv_[i_];
        inlineValue_.reset();
        if (const size_t eq = option_.find('='); option_.starts_with("--") && eq != std::string_view::npos) {
            inlineValue_ = option_.substr(eq + 1);
            option_ = option_.substr(0, eq);
        }
        return true;
    }
    std::string Option() const { return std::string(option_); }
    bool HasInlineValue() const { return inlineValue_.has_value(); }
    // The option's value, after "=" or as the next argument; nullopt when there is none.
    std::optional<std::string> Value() {
        if (inlineValue_) {
            return std::string(*inlineValue_);
        }
        if (i_ + 1 >= argc_) {
            return std::nullopt;
        }
        return std::string(argv_[++i_]);
    }

  private:
    int argc_;
    const char* const* argv_;
    int i_ = 0;
    std::string_view option_;
    std::optional<std::string_view> inlineValue_;
};

// The modes asked for, checked against the connection once every option is read.
struct ModesAsked {
    bool shorts = false;
    bool opens = false;
};

using Step = Outcome<void>;

Failure Hint(std::string text) {
    return Failure{std::move(text), ""};
}

// An option without a value; false when `arg` is none.
bool SetFlag(const std::string& arg, CliOptions& o) {
    if (arg == "--help" || arg == "-h") {
        o.help = true;
    } else if (arg == "--version") {
        o.version = true;
    } else if (arg == "--json") {
        o.json = true;
    } else if (arg == "--delta") {
        o.params.star = false;
    } else if (arg == "--neutral") {
        o.params.SetChecked(kNeutralWire, true);
    } else if (arg == "--pdf-diagrams") {
        o.pdfDiagrams = true;
    } else {
        return false;
    }
    return true;
}

Step ReadField(const FieldSpec& field, Arguments& args, CliOptions& o) {
    std::optional<std::string> v = args.Value();
    if (!v) {
        return Hint(args.Option() + ": нужно значение (текст, как в поле формы, например 0,5)");
    }
    // As the form's key filter does, a full stop typed as the decimal mark becomes the comma;
    // nothing else is touched, so a bad text still gets the program's own message.
    std::replace(v->begin(), v->end(), '.', ',');
    o.params[field.field] = *v;
    return {};
}

// --short names a star tick, --open a delta one, --break one in either connection.
Step ReadModeTick(Arguments& args, CliOptions& o, ModesAsked& asked) {
    const std::string arg = args.Option();
    const std::optional<std::string> v = args.Value();
    if (!v) {
        return Hint(arg + ": нужна фаза");
    }
    const TickSpec* tick = TickOption(arg, *v, arg != "--open");
    asked.shorts = asked.shorts || arg == "--short";
    asked.opens = asked.opens || arg == "--open";
    if (tick == nullptr) {
        return Hint("неизвестная фаза «" + *v + "» для " + arg +
                    (arg == "--open" ? " (AB, BC или CA)" : " (A, B или C)"));
    }
    o.params.SetChecked(tick->tick, true);
    return {};
}

Step ReadDecimals(Arguments& args, CliOptions& o) {
    const std::optional<std::string> v = args.Value();
    if (!v) {
        return Hint("--decimals: нужно ИМЯ=T, например --decimals I.mag=3");
    }
    const size_t eq = v->find('=');
    const std::string name = v->substr(0, eq);
    for (int k = 0; k < kPrecisionCount; ++k) {
        if (eq != std::string::npos && name == kPrecisionFields[k].name) {
            o.precision.texts[k] = v->substr(eq + 1);
            return {};
        }
    }
    return Hint("--decimals: ИМЯ=T, где ИМЯ — одно из " + PrecisionNameList());
}

// The task replaces everything set so far; options after it change it further. The command
// line has no length limits, so any text is taken.
Step ReadTaskOption(Arguments& args, CliOptions& o) {
    const std::optional<std::string> v = args.Value();
    if (!v) {
        return Hint(std::string("--task") + kNeedsFile);
    }
    const TaskReadResult read = LoadTask(*v, FieldLimits::None);
    if (!read) {
        return Hint(TaskErrorMessage(*v, read.Error().message));
    }
    if (read->newer) {
        o.warnings.push_back(TaskNewerMessage(*v));
    }
    o.params = read->task.input;
    o.precision = read->task.precision;
    o.taskTitle = read->task.title;
    o.taskNote = read->task.note;
    return {};
}

Step ReadTextOption(const TextOption& option, Arguments& args, CliOptions& o) {
    std::optional<std::string> v = args.Value();
    if (!v) {
        return Hint(std::string(option.name) + option.missing);
    }
    o.*option.member = std::move(*v);
    return {};
}

Step ReadOption(Arguments& args, CliOptions& o, ModesAsked& asked) {
    const std::string arg = args.Option();
    const bool isFlag = arg == "--help" || arg == "-h" || arg == "--version" || arg == "--json" ||
                        arg == "--delta" || arg == "--neutral" || arg == "--pdf-diagrams";
    if (isFlag && args.HasInlineValue()) {
        return Hint(arg + ": ключ без значения");
    }
    // The circuit options and --task say which task --check marks against.
    o.taskGiven = o.taskGiven || arg == "--delta" || arg == "--neutral" || FieldOption(arg) != nullptr ||
                  arg == "--short" || arg == "--open" || arg == "--break" || arg == "--decimals" ||
                  arg == "--task";
    if (SetFlag(arg, o)) {
        return {};
    }
    if (const FieldSpec* field = FieldOption(arg)) {
        return ReadField(*field, args, o);
    }
    if (arg == "--short" || arg == "--open" || arg == "--break") {
        return ReadModeTick(args, o, asked);
    }
    if (arg == "--decimals") {
        return ReadDecimals(args, o);
    }
    if (arg == "--task") {
        return ReadTaskOption(args, o);
    }
    if (const TextOption* option = FindTextOption(arg)) {
        return ReadTextOption(*option, args, o);
    }
    if (arg == "--vary") {
        std::optional<std::string> v = args.Value();
        if (!v) {
            return Hint(arg + kNeedsValue);
        }
        o.vary.push_back(std::move(*v));
        return {};
    }
    // A plain argument: the output folder of --grade.
    if (!arg.starts_with("-") || arg == "-") {
        o.positional.push_back(arg);
        return {};
    }
    return Hint("неизвестный ключ «" + arg + "» (см. --help)");
}

// The options that only make sense together.
Step CheckCombinations(const CliOptions& o, const ModesAsked& asked) {
    if (o.pdfDiagrams && !o.pdf) {
        return Hint("--pdf-diagrams — только вместе с --pdf ФАЙЛ");
    }
    // Only --grade takes a plain argument (its OUTDIR).
    if (!o.positional.empty() && !o.grade) {
        return Hint("неизвестный ключ «" + o.positional.front() + "» (см. --help)");
    }
    if (o.check && (o.diagram || o.out || o.pdf || o.saveTask)) {
        return Hint("--check только выставляет оценки; уберите --diagram, --out, --pdf и --save-task");
    }
    if (asked.shorts && !o.params.star) {
        return Hint("--short — режим звезды; с --delta задайте --open AB|BC|CA");
    }
    if (asked.opens && o.params.star) {
        return Hint("--open — режим треугольника; добавьте --delta или для звезды задайте --short A|B|C");
    }
    return {};
}

}  // namespace

Outcome<CliOptions> ParseCliOptions(int argc, const char* const* argv) {
    CliOptions o;
    ModesAsked asked;
    Arguments args(argc, argv);
    while (args.Next()) {
        if (const Step read = ReadOption(args, o, asked); !read) {
            return read.Error();
        }
    }
    if (const Step checked = CheckCombinations(o, asked); !checked) {
        return checked.Error();
    }
    return o;
}

namespace {

void AppendHex(std::string& out, const char* prefix, unsigned value, int digits) {
    static const char kDigits[] = "0123456789abcdef";
    out += prefix;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += kDigits[(value >> shift) & 0xF];
    }
}

}  // namespace

std::string TerminalSafe(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    ForEachUtf8Char(text, [&out](std::optional<char32_t> code, std::string_view bytes) {
        if (!code) {
            AppendHex(out, "\\x", static_cast<unsigned char>(bytes[0]), 2);
            return;
        }
        switch (*code) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (*code < 0x20 || *code == 0x7F) {
                    AppendHex(out, "\\x", static_cast<unsigned>(*code), 2);
                } else if (*code >= 0x80 && *code <= 0x9F) {
                    AppendHex(out, "\\u", static_cast<unsigned>(*code), 4);
                } else {
                    out.append(bytes);
                }
        }
    });
    return out;
}

TaskFile OptionsTask(const CliOptions& options) {
    TaskFile task = TakeTask(options.params, options.precision);
    task.title = options.taskTitle;
    task.note = options.taskNote;
    return task;
}

std::string CliHelpText() {
    return R"help(vornik-cli: расчёт трёхфазной цепи (нагрузка звездой или треугольником)

Использование: vornik-cli [ключи]

Каждое значение T — текст, как его вводят в поле формы параметров, с десятичной
запятой (0,5); точка читается как запятая (0.5). Незаданные поля сохраняют
начальные тексты формы. Ключ со значением можно записать и так: --ключ=значение.

Цепь:
  --delta             соединение треугольником (без этого ключа — звездой)
  --u1 T --u2 T --u3 T
                      модули напряжений в вольтах: фазные напряжения A, B, C
                      (звезда) или линейные напряжения AB, BC, CA (треугольник);
                      по умолчанию 380
  --a1 T --a2 T --a3 T
                      углы напряжений в градусах; по умолчанию 0, -120, 120
  --r1 T --x1 T --r2 T --x2 T --r3 T --x3 T
                      активное и реактивное сопротивления в омах фаз A, B, C
                      (звезда) или ветвей AB, BC, CA (треугольник);
                      по умолчанию 0
  --r0 T              сопротивление нулевого провода (звезда); по умолчанию 1
  --neutral           нулевой провод есть (звезда)
  --shunt1 T --shunt2 T --shunt3 T
                      сопротивление шунта короткого замыкания фаз A, B, C;
                      по умолчанию 0,01

Аварийные режимы (каждый ключ можно повторить для нескольких фаз):
  --short A|B|C       короткое замыкание фазы (только звезда)
  --open AB|BC|CA     обрыв фазы нагрузки (только треугольник)
  --break A|B|C       обрыв линейного провода

Точность расчёта:
  --decimals ИМЯ=T    число знаков после запятой (0..5) у одного вида чисел;
                      ИМЯ — одно из U.mag U.ang U.re U.im Z.re Z.im Z.mag Z.ang
                      Y.mag Y.ang Y.re Y.im I.mag I.ang I.re I.im S.mag S.ang
                      S.re S.im

Диаграмма:
  --diagram ВЫБОР     построить векторную диаграмму: ВЫБОР — номер кнопки 1..14
                      или РЕЖИМ:ВИД, где РЕЖИМ — normal, short-A, short-B,
                      short-C, open-AB, open-BC, open-CA, break-A, break-B или
                      break-C, а ВИД — U (напряжения) или I (токи)
  --out ФАЙЛ          записать диаграмму в ФАЙЛ (.jpg/.jpeg, .bmp, .png или
                      .svg — векторный рисунок)

Документ:
  --pdf ФАЙЛ          записать решение в ФАЙЛ формата PDF (A4): сначала шапка
                      с условием задачи и датой, затем решение
  --pdf-diagrams      добавить в PDF диаграммы напряжений и токов каждого
                      рассчитанного режима, по две на странице, в точном
                      масштабе

Файлы задач (.vornik, как их сохраняют программа и веб-страница):
  --task ФАЙЛ         взять из задачи схему, отмеченные режимы и точность; ключи
                      после него меняют их дальше
  --save-task ФАЙЛ    записать задачу со всеми заданными ключами (и больше
                      ничего не делать, если не заданы ещё --json или
                      --diagram)

Набор вариантов (вариант на ученика, ключ ответов и тесты):
  --class-set ПАПКА   составить набор; ПАПКА должна быть новой или пустой.
                      Остальные ключи цепи (и --task) задают исходную задачу
  --variants ТАБЛИЦА  варианты из таблицы CSV (UTF-8, разделитель — запятая или
                      точка с запятой, первая строка — заголовки): столбцы
                      variant, title, connection, имена полей u1 … shunt3 или
                      ComboBox1 … Edit13, CheckBox1 … CheckBox7, neutral, short,
                      open, break (фазы через точку с запятой: A;C) и точность
                      U.mag … S.im
  --count N --seed S  или N вариантов, выбранных случайно (одно и то же S даёт
                      один и тот же набор везде); в каждом случайно выбираются
                      поля из --vary
  --vary ИМЯ=ОТ..ДО/ШАГ
                      поле выбирается от ОТ до ДО с шагом ШАГ, например
                      r1=5..20/0,5; ключ можно повторить
  --key-fields СПИСОК
                      поля записи для ключа ответов через запятую (IaMod,
                      IaArg, PTotal, …); по умолчанию токи, U0, ток нулевого
                      провода, P и Q каждого рассчитанного режима
  --tolerance P       допуск ответов теста в процентах (по умолчанию 1), но не
                      меньше половины последнего показанного разряда
  --angle-tolerance DEG
                      допуск углов в градусах (по умолчанию 1), но не меньше
                      половины последнего показанного разряда; угол
                      засчитывается и со сдвигом на 360 градусов в любую
                      сторону
  --quiz-decimal comma|point
                      десятичный разделитель, который тест велит вводить
                      ученикам (по умолчанию comma — запятая, как читает
                      русскоязычный Moodle)
  В папке будут NN.vornik (задача каждого варианта), variants.csv, key.csv,
  moodle.xml (Moodle XML, по вопросу Cloze на вариант), gift.txt, summary.txt,
  а также NN-task.pdf (лист задания ученика), NN-solution.pdf (решение с
  диаграммами) и key.pdf. При ошибке в таблице vornik-cli завершается с кодом 1
  и одним сообщением, где названы её строка и столбец; ПАПКА тогда не меняется.

Самопроверка (ответы ученика проверяются по решению):
  --check ОТВЕТЫ      проверить ответы из файла ОТВЕТЫ — файла ответов
                      (.vornik-answers, как его сохраняют программа и
                      веб-страница) или таблицы CSV режим,величина,ответ
                      (величина — имя поля ключа или его подпись;
                      "normal,Ia,20,8∠1,6" задаёт модуль и угол сразу) — по
                      задаче из --task (или по задаче самого файла ответов):
                      каждый ответ оценивается как верно, верно с учётом ошибки
                      выше, типичная ошибка (с её названием), неверно или нет
                      ответа, с разделом решения, где эта величина вычисляется.
                      С --json: {"answers":[…],"score":{…},"modes":[…]}.
                      Код завершения 0 при любых оценках, 1 — если ОТВЕТЫ не
                      удаётся прочитать

Проверка работ группы (самопроверка каждого ученика по набору вариантов):
  --grade НАБОР --answers ПУТЬ ПАПКА
                      проверить ответы из ПУТЬ по вариантам набора НАБОР (его
                      NN.vornik) и записать результаты в ПАПКА (новую или
                      пустую). ПУТЬ — папка файлов ответов (.vornik-answers) или
                      таблица CSV (UTF-8, разделитель — запятая или точка с
                      запятой): столбцы student, variant, затем по одному на
                      величину ключа — имя поля или подпись (IaMod, Ia,
                      "угол Ia"; "short-A Ia" для режима, отличного от normal),
                      или student, variant, mode, quantity, answer. Ошибочные
                      строки и файлы пропускаются с сообщением, где названы
                      файл, строка и столбец; остальное проверяется
  --scale 5|100       оценка: от 2 до 5 (по умолчанию) или балл в процентах
  --thresholds A,B,C  проценты, начиная с которых шкала 5 даёт 3, 4 и 5
                      (по умолчанию 50,70,85)
  В ПАПКА будут grades.csv (student,variant,right,carried,mistake,wrong,missing,
  percent,mark), group.csv (доли по режимам и величинам, типичные ошибки с
  именами учеников, распределение баллов), summary.txt (пороги, что пропущено
  и почему), <ученик>-feedback.pdf каждому ученику (имя ученика, пригодное для
  любой файловой системы; второй ученик с тем же именем получает
  «Иванов (2)-feedback.pdf») и group.pdf.

Вывод:
  --json              один объект JSON: строки решения, сообщение, признак
                      завершения, текущая запись, семь ячеек режимов и задача
  --help              эта справка
  --version           название и версия программы

Без --json решение выводится в стандартный вывод, по абзацу на строку, а
сообщение об остановке — в стандартный поток ошибок.

Коды завершения:
  0  готово
  1  расчёт остановлен с сообщением (решение до этого места всё равно
     выводится), или не удалось записать файл --out, --pdf или --save-task
     (старый файл сохраняется), или --class-set или --grade не смогли создать
     свою папку, или не удаётся прочитать ответы --check
  2  ошибка в ключах или файл --task не читается (сообщение объясняет почему)
  3  не удалось записать вывод (диск полон, ошибка ввода-вывода)
)help";
}

std::string CliVersionText() {
    std::string text = "vornik-cli ";
    text += kVersion;
    text += '\n';
    return text;
}

}  // namespace vornik
