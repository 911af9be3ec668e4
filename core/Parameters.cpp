// Parameter sets, their checks and messages, the check-box rule of the minimum frame rate, and the
// construction of the document and its image context from the parameter defaults.
#include "Parameters.h"

#include "FormatDecimal.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <type_traits>
#include <vector>

namespace {

// A row's values live in its own slot, or in that of the key it is a second name of.
consteval std::array<std::size_t, kParameterCount> MakeSlots() {
    std::array<std::size_t, kParameterCount> slots{};
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        slots[i] = i;
        const std::string_view same = kParameters[i].sameFieldAs;
        if (!same.empty())
            slots[i] = ParameterIndex(same);
    }
    return slots;
}
constexpr std::array<std::size_t, kParameterCount> kSlots = MakeSlots();

// Reals land in double fields, texts in string fields and every other kind in int fields, which
// is what lets a set keep all of its numbers as doubles.
consteval bool FieldsFitTheirKinds() {
    for (const ParameterInfo& row : kParameters) {
        const std::size_t type = row.field.index();
        const bool real = type == 1 || type == 4;
        const bool whole = type == 2 || type == 5;
        const bool text = type == 3;
        const bool fits = type == 0 || (row.kind == ParameterKind::Real   ? real
                                        : row.kind == ParameterKind::Text ? text
                                                                          : whole);
        if (!fits || (type == 0) == std::string_view(row.sameFieldAs).empty())
            return false;
    }
    return true;
}
static_assert(FieldsFitTheirKinds(), "every parameter has a field of its kind or names another's");

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The prefix of an "=N" choice name ("hb=" of "hb=N"); empty for a plain name.
std::string_view CountPrefix(const ParameterChoice& choice) {
    const std::string_view name = choice.name;
    return choice.countKey != nullptr ? name.substr(0, name.size() - 1) : std::string_view();
}

// Puts a value into the field it lands in, when that field belongs to an owner given.
struct Lander {
    CKXC2280RegisterWizardDoc* doc;
    CImageContext* context;
    double number;
    const std::string& text;

    void operator()(std::monostate) const {}
    template <class Owner, class Field> void operator()(Field Owner::*field) const {
        Owner* owner = nullptr;
        if constexpr (std::is_same_v<Owner, CImageContext>)
            owner = context;
        else
            owner = doc;
        if (owner == nullptr)
            return;
        if constexpr (std::is_same_v<Field, std::string>)
            owner->*field = text;
        else
            owner->*field = static_cast<Field>(number);
    }
};

// Reads the field a parameter lands in into a set.
struct Reader {
    const CKXC2280RegisterWizardDoc& doc;
    ParameterSet& set;
    std::size_t index;

    void operator()(std::monostate) const {}
    template <class Owner, class Field> void operator()(Field Owner::*field) const {
        const Owner* owner = nullptr;
        if constexpr (std::is_same_v<Owner, CImageContext>)
            owner = &doc.m_Contexts[0];
        else
            owner = &doc;
        if constexpr (std::is_same_v<Field, std::string>)
            set.SetText(index, owner->*field);
        else
            set.SetNumber(index, static_cast<double>(owner->*field));
    }
};

// The number in the field a parameter lands in.
struct NumberReader {
    const CKXC2280RegisterWizardDoc* doc;
    const CImageContext* context;

    std::optional<double> operator()(std::monostate) const { return std::nullopt; }
    template <class Owner, class Field>
    std::optional<double> operator()(Field Owner::*field) const {
        const Owner* owner = nullptr;
        if constexpr (std::is_same_v<Owner, CImageContext>)
            owner = context;
        else
            owner = doc;
        if constexpr (std::is_same_v<Field, std::string>)
            return std::nullopt;
        else
            return owner != nullptr ? std::optional<double>(owner->*field) : std::nullopt;
    }
};

bool Accepts(const ParameterInfo& row, double value) {
    if (!std::isfinite(value))
        return false;
    switch (row.kind) {
    case ParameterKind::Flag:
        return value == 0.0 || value == 1.0;
    case ParameterKind::Integer:
        return std::trunc(value) == value && value >= row.min && value <= row.max;
    case ParameterKind::Real:
        return value >= row.min && value <= row.max;
    case ParameterKind::Choice:
    case ParameterKind::Text:
        break;
    }
    return false;
}

void Land(const ParameterSet& set, CKXC2280RegisterWizardDoc* doc, CImageContext* context,
          bool givenOnly = false) {
    for (std::size_t i = 0; i < kParameterCount; ++i)
        if (!givenOnly || set.Given(i))
            std::visit(Lander{doc, context, set.Number(i), set.Text(i)}, kParameters[i].field);
    // A target given is a target entered, which a minimum search starts from.
    constexpr std::size_t kTarget = ParameterIndex("systemFreqMHz");
    if (doc != nullptr && (!givenOnly || set.Given(kTarget)))
        doc->m_dEnteredSystemFreq = doc->m_dTargetSystemFreq;
}

} // namespace

const ParameterInfo* FindParameter(std::string_view key) {
    for (const ParameterInfo& row : kParameters) {
        if (key == row.key)
            return &row;
    }
    return nullptr;
}

const ParameterInfo* FindParameterByOption(std::string_view option) {
    for (const ParameterInfo& row : kParameters) {
        if (row.option != nullptr && option == row.option)
            return &row;
    }
    return nullptr;
}

std::size_t IndexOf(const ParameterInfo& row) {
    return static_cast<std::size_t>(&row - kParameters.data());
}

const ParameterInfo& NearestParameter(std::string_view unknownKey) {
    const std::string unknown = Lower(unknownKey);
    if (const ParameterInfo* byOption = FindParameterByOption("--" + unknown))
        return *byOption;
    const ParameterInfo* nearest = &kParameters[0];
    std::size_t best = SIZE_MAX;
    for (const ParameterInfo& row : kParameters) {
        const std::size_t distance = EditDistance(unknown, Lower(row.key));
        if (distance < best) {
            best = distance;
            nearest = &row;
        }
    }
    return *nearest;
}

ParameterSet::ParameterSet() {
    for (std::size_t i = 0; i < kParameterCount; ++i)
        m_numbers[i] = kParameters[i].defaultValue;
}

std::size_t ParameterSet::Slot(std::size_t index) {
    return kSlots[index];
}

void ParameterSet::SetNumber(std::size_t index, double value) {
    m_numbers[Slot(index)] = value;
    m_given.set(Slot(index));
}

void ParameterSet::SetText(std::size_t index, std::string text) {
    m_texts[Slot(index)] = std::move(text);
    m_given.set(Slot(index));
}

void ParameterSet::Overlay(const ParameterSet& top) {
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        if (top.m_given[i]) {
            m_numbers[i] = top.m_numbers[i];
            m_texts[i] = top.m_texts[i];
        }
    }
    m_given |= top.m_given;
}

bool operator==(const ParameterSet& a, const ParameterSet& b) {
    if (a.m_given != b.m_given)
        return false;
    for (std::size_t i = 0; i < kParameterCount; ++i)
        if (a.m_given[i] && (a.m_numbers[i] != b.m_numbers[i] || a.m_texts[i] != b.m_texts[i]))
            return false;
    return true;
}

const ParameterSet& DefaultParameters() {
    static const ParameterSet defaults;
    return defaults;
}

std::string AcceptedValues(const ParameterInfo& row) {
    switch (row.kind) {
    case ParameterKind::Real:
    case ParameterKind::Integer:
        return std::string(row.kind == ParameterKind::Integer ? "an integer" : "a number") +
               " from " + FormatDecimal(row.min, 0) + " to " + FormatDecimal(row.max, 0);
    case ParameterKind::Flag:
        return "true or false";
    case ParameterKind::Text:
        return "a file name";
    case ParameterKind::Choice:
        break;
    }
    std::string accepted;
    const ParameterInfo* count = nullptr;
    for (std::size_t i = 0; i < row.choices.size(); ++i) {
        if (i > 0)
            accepted += i + 1 == row.choices.size() ? " or " : ", ";
        accepted += row.choices[i].name;
        if (row.choices[i].countKey != nullptr)
            count = FindParameter(row.choices[i].countKey);
    }
    if (count != nullptr)
        accepted += " with N " + AcceptedValues(*count);
    return accepted;
}

bool SetCheckedNumber(ParameterSet& set, std::size_t index, double value) {
    if (!Accepts(kParameters[index], value))
        return false;
    set.SetNumber(index, value + 0.0); // "-0" is zero without a sign
    return true;
}

std::string UntakenValue(const ParameterSet& set) {
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        const ParameterInfo& row = kParameters[i];
        if (!set.Given(i) || row.kind == ParameterKind::Text)
            continue;
        const bool taken = row.kind == ParameterKind::Choice
                               ? ChoiceName(row, set.Number(i)) != nullptr
                               : Accepts(row, set.Number(i));
        if (!taken)
            return FormatDecimal(set.Number(i), 3) + " for \"" + row.label + "\", which takes " +
                   AcceptedValues(row);
    }
    return {};
}

bool SetChoice(ParameterSet& set, std::size_t index, std::string_view text) {
    for (const ParameterChoice& choice : kParameters[index].choices) {
        if (text == choice.name) {
            set.SetNumber(index, choice.value);
            return true;
        }
        const std::string_view prefix = CountPrefix(choice);
        if (prefix.empty() || !text.starts_with(prefix))
            continue;
        const std::string_view digits = text.substr(prefix.size());
        const std::optional<int> count = ParseWholeNumber<int>(digits);
        const ParameterInfo& counted = *FindParameter(choice.countKey);
        if (!count || !Accepts(counted, *count))
            return false;
        set.SetNumber(index, choice.value);
        set.SetNumber(IndexOf(counted), *count);
        return true;
    }
    return false;
}

const char* ChoiceName(const ParameterInfo& row, double value) {
    for (const ParameterChoice& choice : row.choices) {
        if (choice.value == value)
            return choice.name;
    }
    return nullptr;
}

double MinFrameRateOnVariableFrameRate(double minFrameRate, double frameRate) {
    return minFrameRate > frameRate ? frameRate : Parameter("minFrameRate").defaultValue;
}

void ApplyVariableFrameRateRule(ParameterSet& set) {
    constexpr std::size_t kVariable = ParameterIndex("variableFrameRate");
    constexpr std::size_t kMinimum = ParameterIndex("minFrameRate");
    if (set.Number(kVariable) != 0.0 && !set.Given(kMinimum))
        set.SetNumber(kMinimum, MinFrameRateOnVariableFrameRate(
                                    set.Number(kMinimum), set.Number(ParameterIndex("frameRate"))));
}

void ApplyParameters(const ParameterSet& set, CKXC2280RegisterWizardDoc& doc) {
    Land(set, &doc, &doc.m_Contexts[0]);
}

void ApplyParameters(const ParameterSet& set, CImageContext& context) {
    Land(set, nullptr, &context);
}

void ApplyGivenParameters(const ParameterSet& set, CKXC2280RegisterWizardDoc& doc) {
    Land(set, &doc, &doc.m_Contexts[0], true);
}

std::optional<double> FieldNumber(const ParameterInfo& row, const CKXC2280RegisterWizardDoc* doc,
                                  const CImageContext* context) {
    return std::visit(NumberReader{doc, context}, row.field);
}

ParameterSet ParametersOf(const CKXC2280RegisterWizardDoc& doc) {
    ParameterSet set;
    for (std::size_t i = 0; i < kParameterCount; ++i)
        std::visit(Reader{doc, set, i}, kParameters[i].field);
    return set;
}

CImageContext::CImageContext() {
    Land(DefaultParameters(), nullptr, this);
    m_dFrameRate = 0.0;
    m_bLowPower = 1;
}

CKXC2280RegisterWizardDoc::CKXC2280RegisterWizardDoc() {
    Land(DefaultParameters(), this, nullptr);
    m_bOutputAsRegisters = 0;
}

void ApplyImageFormDefaults(CImageContext& context) {
    ApplyParameters(DefaultParameters(), context);
}

void RunNewDocument(const ParameterSet& parameters, CKXC2280RegisterWizardDoc& doc) {
    doc.OnNewDocument();
    ApplyParameters(parameters, doc);
    Recalculate(doc, UserChange::ClockSettings);
}
