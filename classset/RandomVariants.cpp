#include "classset/RandomVariants.h"

#include <algorithm>
#include <optional>

#include "classset/VariantTable.h"

namespace vornik {

namespace {

constexpr int kMaxDigits = 15;  // whole scaled values stay far inside 64 bits

struct Decimal {
    std::int64_t digits = 0;  // the value times 10^scale
    int scale = 0;
};

std::optional<Decimal> ParseDecimal(std::string_view s) {
    Decimal d;
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    bool comma = false;
    int count = 0;
    for (const char c : s) {
        if ((c == ',' || c == '.') && !comma) {
            comma = true;
        } else if (c >= '0' && c <= '9') {
            if (++count > kMaxDigits) {
                return std::nullopt;
            }
            d.digits = d.digits * 10 + (c - '0');
            d.scale += comma ? 1 : 0;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0) {
        return std::nullopt;
    }
    d.digits = negative ? -d.digits : d.digits;
    return d;
}

std::optional<std::int64_t> Rescaled(const Decimal& d, int scale) {
    std::int64_t v = d.digits;
    for (int k = d.scale; k < scale; ++k) {
        if (v > INT64_MAX / 10 || v < INT64_MIN / 10) {
            return std::nullopt;
        }
        v *= 10;
    }
    return v;
}

}  // namespace

std::uint64_t SplitMix64::Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t SplitMix64::Below(std::uint64_t n) {
    // Values from the incomplete last block of n are drawn again.
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % n;
    std::uint64_t x;
    do {
        x = Next();
    } while (x >= limit);
    return x % n;
}

std::string VaryRange::Text(std::int64_t k) const {
    const std::int64_t v = from + k * step;
    std::string digits = std::to_string(v < 0 ? -v : v);
    if (scale > 0) {
        if (static_cast<int>(digits.size()) <= scale) {
            digits.insert(0, static_cast<size_t>(scale) + 1 - digits.size(), '0');
        }
        digits.insert(digits.size() - static_cast<size_t>(scale), 1, ',');
        while (digits.back() == '0') {
            digits.pop_back();
        }
        if (digits.back() == ',') {
            digits.pop_back();
        }
    }
    return (v < 0 ? "-" : "") + digits;
}

Outcome<VaryRange> ParseVaryRange(std::string_view text) {
    const std::string hint = "--vary: нужно ИМЯ=ОТ..ДО/ШАГ, например r1=5..20/0,5";
    VaryRange range;
    const size_t eq = text.find('=');
    const size_t dots = text.find("..");
    if (eq == std::string_view::npos || dots == std::string_view::npos || dots < eq) {
        return Failure{hint, ""};
    }
    range.name = std::string(text.substr(0, eq));
    const std::optional<Column> column = ColumnByName(range.name);
    if (!column || column->kind != ColumnKind::Field) {
        return Failure{
            "--vary: «" + range.name + "» — не поле (u1..u3, a1..a3, r1, x1, …, r0, shunt1..shunt3)", ""};
    }
    range.field = column->index;
    const size_t slash = text.find('/', dots);
    const std::string_view fromText = text.substr(eq + 1, dots - eq - 1);
    const std::string_view toText =
        text.substr(dots + 2, slash == std::string_view::npos ? std::string_view::npos : slash - dots - 2);
    const std::optional<Decimal> from = ParseDecimal(fromText);
    const std::optional<Decimal> to = ParseDecimal(toText);
    const std::optional<Decimal> step =
        slash == std::string_view::npos ? Decimal{1, 0} : ParseDecimal(text.substr(slash + 1));
    if (!from || !to || !step) {
        return Failure{hint + " (числа не длиннее " + std::to_string(kMaxDigits) + " цифр)", ""};
    }
    range.scale = std::max({from->scale, to->scale, step->scale});
    const auto f = Rescaled(*from, range.scale);
    const auto t = Rescaled(*to, range.scale);
    const auto s = Rescaled(*step, range.scale);
    if (!f || !t || !s || *s <= 0 || *t < *f) {
        return Failure{"--vary " + std::string(text) + ": ОТ не больше ДО, ШАГ больше нуля", ""};
    }
    range.from = *f;
    range.step = *s;
    range.count = (*t - *f) / *s + 1;
    return range;
}

DrawResult DrawVariants(const TaskValues& base, int count, std::uint64_t seed,
                        const std::vector<VaryRange>& ranges,
                        const std::function<bool(const TaskValues&)>& runs) {
    // Fewer different variants than asked for cannot be drawn at all.
    std::uint64_t possible = 1;
    for (const VaryRange& r : ranges) {
        possible = possible > static_cast<std::uint64_t>(count) ? possible : possible * r.count;
    }
    if (possible < static_cast<std::uint64_t>(count)) {
        return Failure{"диапазоны дают только " + std::to_string(possible) + " разных вариантов, а нужно " +
                           std::to_string(count),
                       ""};
    }
    DrawnVariants drawn;
    SplitMix64 rng(seed);
    const long maxAttempts = 50L * count + 1000;
    for (long attempt = 0; attempt < maxAttempts && static_cast<int>(drawn.variants.size()) < count;
         ++attempt) {
        TaskValues task = base;
        for (const VaryRange& r : ranges) {
            task.input[static_cast<Param>(r.field)] = r.Text(static_cast<std::int64_t>(rng.Below(r.count)));
        }
        const bool repeated = std::any_of(drawn.variants.begin(), drawn.variants.end(),
                                          [&](const Variant& v) { return SameExercise(v.task, task); });
        if (repeated) {
            ++drawn.duplicateRedraws;
            continue;
        }
        if (!runs(task)) {
            ++drawn.stoppedRedraws;
            continue;
        }
        drawn.variants.push_back({std::to_string(drawn.variants.size() + 1), 0, std::move(task)});
    }
    if (static_cast<int>(drawn.variants.size()) < count) {
        return Failure{"за " + std::to_string(maxAttempts) + " попыток набрано только " +
                           std::to_string(drawn.variants.size()) + " из " + std::to_string(count) +
                           " разных вариантов, решаемых до конца: расширьте диапазоны или измените задачу",
                       ""};
    }
    return drawn;
}

}  // namespace vornik
