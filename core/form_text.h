#pragma once

#include <cstddef>
#include <string_view>

// A text the form owns, of any length: what the Instructions pane shows.
// Like the form that holds it, it is never copied; assigning copies the
// characters in.
class FormText {
public:
    FormText() = default;
    ~FormText();
    FormText(const FormText&) = delete;
    FormText& operator=(const FormText&) = delete;

    // A null pointer assigns the empty text.
    FormText& operator=(const char* text);
    void Assign(std::string_view text);

    const char* c_str() const { return m_text != nullptr ? m_text : ""; }
    std::size_t size() const { return m_length; }
    std::string_view view() const { return {c_str(), m_length}; }

    friend bool operator==(const FormText& a, std::string_view b) { return a.view() == b; }

private:
    char* m_text = nullptr;
    std::size_t m_length = 0;
    std::size_t m_capacity = 0;  // the characters m_text holds, not counting the end mark
};
