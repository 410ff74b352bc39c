// A small JSON document for --json output: values built in order and
// written out indented.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace zoqcam {

class Json {
public:
    Json() = default;  // null
    Json(bool value);
    Json(int value);
    Json(long long value);
    Json(double value);
    Json(const char* value);
    Json(std::string value);

    static Json Array();
    static Json Object();

    // Appends to an array; returns the new element.
    Json& Add(Json value);
    // Adds a member to an object (members keep their order).
    Json& Set(const std::string& key, Json value);

    void Write(FILE* out) const;  // the document and a newline

private:
    enum class Type { Null, Bool, Integer, Real, String, Array, Object };
    void WriteValue(FILE* out, int depth) const;

    Type m_type = Type::Null;
    bool m_bool = false;
    long long m_integer = 0;
    double m_real = 0;
    std::string m_string;
    std::vector<Json> m_items;
    std::vector<std::pair<std::string, Json>> m_members;
};

}  // namespace zoqcam
