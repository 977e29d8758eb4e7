#include "graphs/logic/KeyText.h"

#include "graphs/logic/ColorEditModel.h"
#include "graphs/logic/FloatGraphModel.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cerrno>

namespace KW {
namespace keytext {

namespace {

// Nine significant digits read back to the same float; zero is written without a sign.
std::string number(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%.9g", static_cast<double>(value == 0.0f ? 0.0f : value));
    return buffer;
}

// The lines of a text, each split at spaces and tabs; blank lines are dropped.
std::vector<std::vector<std::string>> fieldsOf(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> fields;
    std::string field;
    for (size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : '\n';
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!field.empty()) {
                fields.push_back(field);
                field.clear();
            }
            if (c == '\n' && !fields.empty()) {
                lines.push_back(fields);
                fields.clear();
            }
        } else {
            field += c;
        }
    }
    return lines;
}

// A whole field as a finite float: no trailing characters, nothing out of float's range.
bool parseFloat(const std::string& field, float& value) {
    const char* start = field.c_str();
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(start, &end);
    if (end == start || *end != '\0' || errno == ERANGE || !std::isfinite(parsed)) {
        return false;
    }
    value = static_cast<float>(parsed);
    return std::isfinite(value);
}

// A colour component: one to three decimal digits, 0 to 255.
bool parseComponent(const std::string& field, int& value) {
    if (field.empty() || field.size() > 3) {
        return false;
    }
    int result = 0;
    for (char c : field) {
        if (c < '0' || c > '9') {
            return false;
        }
        result = result * 10 + (c - '0');
    }
    if (result > 255) {
        return false;
    }
    value = result;
    return true;
}

bool parseColor(const std::vector<std::string>& fields, size_t first, KWColor& color) {
    return parseComponent(fields[first], color.r) && parseComponent(fields[first + 1], color.g) &&
           parseComponent(fields[first + 2], color.b) && parseComponent(fields[first + 3], color.a);
}

void appendColor(std::string& text, const KWColor& color) {
    for (int component : {color.r, color.g, color.b, color.a}) {
        text += '\t';
        text += std::to_string(component);
    }
}

} // namespace

std::string curveToText(const std::vector<KWGraphPoint>& keys) {
    std::string text;
    for (const KWGraphPoint& key : keys) {
        text += number(key.x) + "\t" + number(-key.y1) + "\t" + number(-key.y2) + "\r\n";
    }
    return text;
}

bool curveFromText(const std::string& text, std::vector<KWGraphPoint>& keys) {
    std::vector<KWGraphPoint> read;
    for (const std::vector<std::string>& fields : fieldsOf(text)) {
        float x = 0.0f;
        float upper = 0.0f;
        float lower = 0.0f;
        if (fields.size() != 3 || !parseFloat(fields[0], x) || !parseFloat(fields[1], upper) ||
            !parseFloat(fields[2], lower)) {
            return false;
        }
        KWGraphPoint key;
        key.x = x;
        // Subtracted from zero so that a value of 0 gives +0.
        key.y1 = 0.0f - upper;
        key.y2 = 0.0f - lower;
        read.push_back(key);
    }
    if (!floatgraph::acceptableKeys(read)) {
        return false;
    }
    keys = floatgraph::withEndKeysFixed(read);
    return true;
}

std::string gradientToText(const std::vector<KWColorPoint>& keys) {
    std::string text;
    for (const KWColorPoint& key : keys) {
        text += number(key.position);
        appendColor(text, key.color1);
        appendColor(text, key.color2);
        text += "\r\n";
    }
    return text;
}

bool gradientFromText(const std::string& text, std::vector<KWColorPoint>& keys) {
    std::vector<KWColorPoint> read;
    for (const std::vector<std::string>& fields : fieldsOf(text)) {
        KWColorPoint key;
        if (fields.size() != 9 || !parseFloat(fields[0], key.position) ||
            !parseColor(fields, 1, key.color1) || !parseColor(fields, 5, key.color2)) {
            return false;
        }
        read.push_back(key);
    }
    for (size_t i = 0; i < read.size(); ++i) {
        read[i].fixed = i == 0 || i + 1 == read.size();
    }
    if (!coloredit::ColorEditModel::isValid(read)) {
        return false;
    }
    keys = read;
    return true;
}

} // namespace keytext
} // namespace KW
