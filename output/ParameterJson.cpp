// Writing the parameters as JSON and reading them back with every refusal in one line.
#include "ParameterJson.h"

#include "MessageText.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using Json = nlohmann::ordered_json;

// Long values and parser messages are cut, so that a message stays a readable line.
constexpr std::size_t kShownValueBytes = 80;
constexpr std::size_t kShownMessageBytes = 240;

std::string Cut(std::string text, std::size_t bytes = kShownValueBytes) {
    if (text.size() > bytes)
        text = text.substr(0, bytes) + "...";
    return text;
}

// A value as a message shows it: a string quoted, anything else as its JSON text.
std::string Shown(const Json& value) {
    return value.is_string() ? QuoteValue(Cut(value.get<std::string>()))
                             : EscapeText(Cut(value.dump()));
}

std::string TypeText(const Json& value) {
    switch (value.type()) {
    case Json::value_t::object:
        return "an object";
    case Json::value_t::array:
        return "an array";
    case Json::value_t::string:
        return "a string";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float:
        return "a number";
    default:
        return value.dump(); // true, false, null
    }
}

const char* DueText(ParameterKind kind) {
    switch (kind) {
    case ParameterKind::Real:
        return "a number";
    case ParameterKind::Integer:
        return "an integer";
    case ParameterKind::Flag:
        return "true or false";
    case ParameterKind::Choice:
    case ParameterKind::Text:
        break;
    }
    return "a string";
}

std::string KeyText(std::string_view key) {
    return "key " + QuoteValue(key) + ": ";
}

std::string WrongType(std::string_view key, const Json& value, const std::string& due) {
    return KeyText(key) + TypeText(value) + " where " + due + " is due";
}

struct Parsed {
    Json json;
    std::string error;
};

// The parser message without its exception tag: "parse error at line 1, column 2: ...".
std::string ParserMessage(const nlohmann::json::exception& error) {
    const std::string what = error.what();
    const std::size_t tag = what.find("] ");
    return EscapeText(
        Cut(tag == std::string::npos ? what : what.substr(tag + 2), kShownMessageBytes));
}

// A number too large for a double: the parser names the number, the last key read names whose.
std::string NotFinite(const std::string& key, const nlohmann::json::exception& error) {
    const std::string what = error.what();
    const std::size_t open = what.find('\'');
    const std::size_t close = what.rfind('\'');
    const std::string number =
        open < close ? what.substr(open + 1, close - open - 1) : std::string("a number");
    std::string message = KeyText(key) + EscapeText(Cut(number)) + " is not a finite number";
    if (const ParameterInfo* row = FindParameter(key))
        message += "; accepted: " + AcceptedValues(*row);
    return message;
}

// Parses text, refusing a key given twice in one object.
Parsed Parse(std::string_view text) {
    std::vector<std::vector<std::string>> open; // the keys of each object being read
    std::string duplicate;
    std::string lastKey;
    const Json::parser_callback_t watch = [&](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start) {
            open.emplace_back();
        } else if (event == Json::parse_event_t::object_end && !open.empty()) {
            open.pop_back();
        } else if (event == Json::parse_event_t::key && !open.empty()) {
            lastKey = parsed.get<std::string>();
            std::vector<std::string>& keys = open.back();
            if (duplicate.empty() && std::find(keys.begin(), keys.end(), lastKey) != keys.end())
                duplicate = lastKey;
            keys.push_back(lastKey);
        }
        return true;
    };
    Parsed parsed;
    try {
        parsed.json = Json::parse(text.begin(), text.end(), watch);
    } catch (const nlohmann::json::parse_error& error) {
        parsed.error = "not JSON: " + ParserMessage(error);
    } catch (const nlohmann::json::out_of_range& error) {
        parsed.error = NotFinite(lastKey, error);
    }
    if (parsed.error.empty() && !duplicate.empty())
        parsed.error = KeyText(duplicate) + "given twice; accepted: once";
    return parsed;
}

// Reads one value into set; the refusal, when there is one.
std::optional<std::string> ReadValue(const ParameterInfo& row, const Json& value,
                                     ParameterSet& set) {
    const std::size_t index = IndexOf(row);
    bool ok = false;
    switch (row.kind) {
    case ParameterKind::Real:
    case ParameterKind::Integer:
        if (!value.is_number())
            return WrongType(row.key, value, DueText(row.kind));
        ok = SetCheckedNumber(set, index, value.get<double>());
        break;
    case ParameterKind::Flag:
        if (!value.is_boolean())
            return WrongType(row.key, value, DueText(row.kind));
        ok = SetCheckedNumber(set, index, value.get<bool>() ? 1.0 : 0.0);
        break;
    case ParameterKind::Choice:
        if (!value.is_string())
            return WrongType(row.key, value, DueText(row.kind));
        ok = SetChoice(set, index, value.get<std::string>());
        break;
    case ParameterKind::Text:
        if (!value.is_string())
            return WrongType(row.key, value, DueText(row.kind));
        set.SetText(index, value.get<std::string>());
        ok = true;
        break;
    }
    if (ok)
        return std::nullopt;
    return KeyText(row.key) + "invalid value " + Shown(value) +
           "; accepted: " + AcceptedValues(row);
}

// Reads the keys of a parameter object over set; a "name" member is the caller's when allowed.
std::optional<std::string> ReadKeys(const Json& object, bool nameAllowed, ParameterSet& set) {
    ParameterSet given;                               // what this object gives
    std::array<std::string, kParameterCount> givenBy; // and by which key
    for (const auto& [key, value] : object.items()) {
        if (nameAllowed && key == "name")
            continue;
        const ParameterInfo* row = FindParameter(key);
        if (row == nullptr)
            return "unknown key " + QuoteValue(key) + "; did you mean " +
                   QuoteValue(NearestParameter(key).key) + "?";
        ParameterSet one;
        if (std::optional<std::string> refused = ReadValue(*row, value, one))
            return refused;
        for (std::size_t i = 0; i < kParameterCount; ++i) {
            if (!one.Given(i))
                continue;
            if (given.Given(i) &&
                (given.Number(i) != one.Number(i) || given.Text(i) != one.Text(i)))
                return KeyText(key) + "disagrees with key " + QuoteValue(givenBy[i]) +
                       "; accepted: values that agree";
            givenBy[i] = key;
        }
        given.Overlay(one);
    }
    set.Overlay(given);
    return std::nullopt;
}

} // namespace

nlohmann::ordered_json ParametersJson(const ParameterSet& set) {
    Json json = Json::object();
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        const ParameterInfo& row = kParameters[i];
        const double number = set.Number(i);
        switch (row.kind) {
        case ParameterKind::Real:
            json[row.key] = number;
            break;
        case ParameterKind::Integer:
            json[row.key] = static_cast<int>(number);
            break;
        case ParameterKind::Flag:
            json[row.key] = number != 0.0;
            break;
        case ParameterKind::Choice:
            if (const char* name = ChoiceName(row, number))
                json[row.key] = name;
            else
                json[row.key] = number;
            break;
        case ParameterKind::Text:
            json[row.key] = set.Text(i);
            break;
        }
    }
    return json;
}

ParameterJsonRead ReadParameterJson(std::string_view text, ParameterSet& set) {
    const Parsed parsed = Parse(text);
    if (!parsed.error.empty())
        return {parsed.error, std::nullopt};
    const Json& json = parsed.json;
    if (!json.is_object())
        return {"not a JSON object but " + TypeText(json) +
                    "; accepted: an object of parameters, or the JSON output of the command line",
                std::nullopt};
    ParameterJsonRead read;
    const auto name = json.find("name");
    if (name != json.end() && !name->is_string())
        return {WrongType("name", *name, "a string"), std::nullopt};
    if (name != json.end())
        read.name = name->get<std::string>();
    const auto parameters = json.find("parameters");
    if (parameters != json.end() && !parameters->is_object())
        return {WrongType("parameters", *parameters, "an object"), std::nullopt};
    const bool whole = parameters != json.end();
    if (std::optional<std::string> refused = ReadKeys(whole ? *parameters : json, !whole, set))
        read.error = *refused;
    return read;
}
