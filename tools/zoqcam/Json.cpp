#include "Json.h"

#include <cmath>

namespace zoqcam {

namespace {

void WriteString(FILE* out, const std::string& text) {
    fputc('"', out);
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                fputs("\\\"", out);
                break;
            case '\\':
                fputs("\\\\", out);
                break;
            case '\n':
                fputs("\\n", out);
                break;
            case '\t':
                fputs("\\t", out);
                break;
            default:
                if (c < 0x20)
                    fprintf(out, "\\u%04x", c);
                else
                    fputc(c, out);
        }
    }
    fputc('"', out);
}

void Indent(FILE* out, int depth) {
    fputc('\n', out);
    for (int i = 0; i < depth; ++i) fputs("  ", out);
}

}  // namespace

Json::Json(bool value) : m_type(Type::Bool), m_bool(value) {}
Json::Json(int value) : m_type(Type::Integer), m_integer(value) {}
Json::Json(long long value) : m_type(Type::Integer), m_integer(value) {}
Json::Json(double value) : m_type(Type::Real), m_real(value) {}
Json::Json(const char* value) : m_type(Type::String), m_string(value) {}
Json::Json(std::string value) : m_type(Type::String), m_string(std::move(value)) {}

Json Json::Array() {
    Json json;
    json.m_type = Type::Array;
    return json;
}

Json Json::Object() {
    Json json;
    json.m_type = Type::Object;
    return json;
}

Json& Json::Add(Json value) {
    m_items.push_back(std::move(value));
    return m_items.back();
}

Json& Json::Set(const std::string& key, Json value) {
    m_members.emplace_back(key, std::move(value));
    return m_members.back().second;
}

void Json::Write(FILE* out) const {
    WriteValue(out, 0);
    fputc('\n', out);
}

void Json::WriteValue(FILE* out, int depth) const {
    switch (m_type) {
        case Type::Null:
            fputs("null", out);
            break;
        case Type::Bool:
            fputs(m_bool ? "true" : "false", out);
            break;
        case Type::Integer:
            fprintf(out, "%lld", m_integer);
            break;
        case Type::Real:
            // JSON has no infinities or NaN.
            if (std::isfinite(m_real))
                fprintf(out, "%.6g", m_real);
            else
                fputs("null", out);
            break;
        case Type::String:
            WriteString(out, m_string);
            break;
        case Type::Array:
            fputc('[', out);
            for (size_t i = 0; i < m_items.size(); ++i) {
                if (i > 0) fputc(',', out);
                Indent(out, depth + 1);
                m_items[i].WriteValue(out, depth + 1);
            }
            if (!m_items.empty()) Indent(out, depth);
            fputc(']', out);
            break;
        case Type::Object:
            fputc('{', out);
            for (size_t i = 0; i < m_members.size(); ++i) {
                if (i > 0) fputc(',', out);
                Indent(out, depth + 1);
                WriteString(out, m_members[i].first);
                fputs(": ", out);
                m_members[i].second.WriteValue(out, depth + 1);
            }
            if (!m_members.empty()) Indent(out, depth);
            fputc('}', out);
            break;
    }
}

}  // namespace zoqcam
